#include "Voice.h"

#include <espeak-ng/speak_lib.h>

#include <QLibrary>

namespace velmora {

namespace {

// The engine is loaded when the first voice is made, not with the program:
// with its sound libraries it is some twenty shared objects, which would
// otherwise be loaded and linked before the window could open.
struct Engine {
  decltype(&espeak_Initialize) Initialize = nullptr;
  decltype(&espeak_SetVoiceByName) SetVoiceByName = nullptr;
  decltype(&espeak_ListVoices) ListVoices = nullptr;
  decltype(&espeak_Synth) Synth = nullptr;
  decltype(&espeak_Cancel) Cancel = nullptr;
  decltype(&espeak_SetSynthCallback) SetSynthCallback = nullptr;
  bool loaded = false;
};

template <typename Function>
bool Resolve(QLibrary &library, const char *name, Function *function) {
  *function = reinterpret_cast<Function>(library.resolve(name));
  return *function != nullptr;
}

// Null when the library or one of its functions is missing.
const Engine *LoadedEngine() {
  static const Engine engine = [] {
    Engine loaded;
    QLibrary library(QStringLiteral("espeak-ng"), 1);
    loaded.loaded = library.load() && Resolve(library, "espeak_Initialize", &loaded.Initialize) &&
                    Resolve(library, "espeak_SetVoiceByName", &loaded.SetVoiceByName) &&
                    Resolve(library, "espeak_ListVoices", &loaded.ListVoices) &&
                    Resolve(library, "espeak_Synth", &loaded.Synth) &&
                    Resolve(library, "espeak_Cancel", &loaded.Cancel) &&
                    Resolve(library, "espeak_SetSynthCallback", &loaded.SetSynthCallback);
    return loaded;
  }();
  return engine.loaded ? &engine : nullptr;
}

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
  const Engine *engine = LoadedEngine();
  if (engine == nullptr) return false;
  EngineRate() = engine->Initialize(mode, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
  EngineMode() = static_cast<int>(mode);
  return EngineRate() > 0;
}

// The Mandarin voice, else the second installed voice, else the default.
QString ChooseVoice() {
  const Engine *engine = LoadedEngine();
  if (engine->SetVoiceByName(kMandarinVoice.toUtf8().constData()) == EE_OK) return kMandarinVoice;
  const espeak_VOICE **voices = engine->ListVoices(nullptr);
  if (voices != nullptr && voices[0] != nullptr && voices[1] != nullptr &&
      engine->SetVoiceByName(voices[1]->name) == EE_OK)
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
  return LoadedEngine()->Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                               espeakCHARS_UTF8 | espeakSSML, nullptr, nullptr) == EE_OK;
}

void Voice::Stop() {
  if (available_) LoadedEngine()->Cancel();
}

std::vector<short> SynthesizeSamples(const QString &text, const QString &voiceName) {
  std::vector<short> samples;
  if (!StartEngine(AUDIO_OUTPUT_SYNCHRONOUS)) return samples;
  const Engine *engine = LoadedEngine();
  if (engine->SetVoiceByName(voiceName.toUtf8().constData()) != EE_OK) return samples;
  engine->SetSynthCallback(CollectSamples);
  Collected() = &samples;
  const QByteArray utf8 = text.toUtf8();
  engine->Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                nullptr);
  Collected() = nullptr;
  return samples;
}

int SampleRate() { return EngineRate(); }

}  // namespace velmora
