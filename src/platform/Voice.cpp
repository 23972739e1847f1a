#include "Voice.h"

#include <espeak-ng/speak_lib.h>

namespace velmora {

namespace {

// espeak-ng is one engine per process with one output mode, fixed when it
// starts: it cannot be started again in another mode (a second start after
// espeak_Terminate crashes the 1.51 library), so a request for the other mode
// fails.
int &EngineMode() {
  static int mode = -1;
  return mode;
}

int &EngineRate() {
  static int rate = 0;
  return rate;
}

bool StartEngine(espeak_AUDIO_OUTPUT mode) {
  if (EngineMode() >= 0) return EngineMode() == static_cast<int>(mode) && EngineRate() > 0;
  EngineRate() = espeak_Initialize(mode, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
  EngineMode() = static_cast<int>(mode);
  return EngineRate() > 0;
}

// The Mandarin voice, else the second installed voice, else the default.
QString ChooseVoice() {
  if (espeak_SetVoiceByName(kMandarinVoice.toUtf8().constData()) == EE_OK) return kMandarinVoice;
  const espeak_VOICE **voices = espeak_ListVoices(nullptr);
  if (voices != nullptr && voices[0] != nullptr && voices[1] != nullptr &&
      espeak_SetVoiceByName(voices[1]->name) == EE_OK)
    return QString::fromUtf8(voices[1]->name);
  return {};
}

std::vector<short> *&Collected() {
  static std::vector<short> *samples = nullptr;
  return samples;
}

int CollectSamples(short *wave, int count, espeak_EVENT *) {
  if (wave != nullptr && count > 0 && Collected() != nullptr)
    Collected()->insert(Collected()->end(), wave, wave + count);
  return 0;
}

}  // namespace

Voice::Voice() {
  available_ = StartEngine(AUDIO_OUTPUT_PLAYBACK);
  if (available_) name_ = ChooseVoice();
}

bool Voice::Speak(const QString &text) {
  if (!available_ || text.isEmpty() || !StartEngine(AUDIO_OUTPUT_PLAYBACK)) return false;
  // One utterance ends before the next begins.
  Stop();
  const QByteArray utf8 = text.toUtf8();
  return espeak_Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                      espeakCHARS_UTF8 | espeakSSML, nullptr, nullptr) == EE_OK;
}

void Voice::Stop() {
  if (available_) espeak_Cancel();
}

std::vector<short> SynthesizeSamples(const QString &text, const QString &voiceName) {
  std::vector<short> samples;
  if (!StartEngine(AUDIO_OUTPUT_SYNCHRONOUS)) return samples;
  if (espeak_SetVoiceByName(voiceName.toUtf8().constData()) != EE_OK) return samples;
  espeak_SetSynthCallback(CollectSamples);
  Collected() = &samples;
  const QByteArray utf8 = text.toUtf8();
  espeak_Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
               nullptr);
  Collected() = nullptr;
  return samples;
}

int SampleRate() { return EngineRate(); }

}  // namespace velmora
