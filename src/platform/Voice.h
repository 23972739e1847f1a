#pragma once
// The speech voice that reads idioms aloud, over espeak-ng. Mandarin is
// spoken by the "cmn-latn-pinyin" voice, which also reads tone-marked
// pinyin (so polyphones come out right); without it the second installed
// voice is taken, then the engine's default.
#include <QString>
#include <vector>

namespace velmora {

inline const QString kMandarinVoice = QStringLiteral("cmn-latn-pinyin");

// The engine plays through its own thread: a text given to Speak is queued
// and Speak returns at once. Use one Voice from one thread (Speaker's worker).
class Voice {
 public:
  Voice();
  bool IsAvailable() const { return available_; }
  QString Name() const { return name_; }
  // Stops what is being said (it has ended when this returns), then starts
  // saying the text; false when the engine fails, which callers treat as
  // nothing said.
  bool Speak(const QString &text);
  // Stops what is being said; it has ended when this returns.
  void Stop();

 private:
  bool available_ = false;
  QString name_;
};

// Synthesises the text without a sound device and returns its samples
// (16-bit, at SampleRate()). Empty when the engine or the voice is missing,
// or when this process already speaks through a Voice.
std::vector<short> SynthesizeSamples(const QString &text, const QString &voiceName = kMandarinVoice);
int SampleRate();

}  // namespace velmora
