#pragma once
// The speech voice that reads idioms aloud, over espeak-ng. Mandarin is
// spoken by the "cmn-latn-pinyin" voice, which also reads tone-marked
// pinyin (so polyphones come out right); without it the second installed
// voice is taken, then the engine's default.
#include <QString>
#include <vector>

namespace velmora {

inline const QString kMandarinVoice = QStringLiteral("cmn-latn-pinyin");

// The engine makes samples; the caller plays them (SoundOutput), so that a
// missing or restarted sound server is known, not passed over in silence.
// Use one Voice from one thread (Speaker's worker).
class Voice {
 public:
  Voice();
  bool IsAvailable() const { return available_; }
  QString Name() const { return name_; }
  // The text spoken, as 16-bit samples at SampleRate(); empty when the
  // engine fails. Plain text: no markup is read in it.
  std::vector<short> Samples(const QString &text) const;

 private:
  bool available_ = false;
  QString name_;
};

// Synthesises the text with the named voice and returns its samples
// (16-bit, at SampleRate()). Empty when the engine or the voice is missing.
std::vector<short> SynthesizeSamples(const QString &text, const QString &voiceName = kMandarinVoice);
int SampleRate();

}  // namespace velmora
