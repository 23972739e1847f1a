#include "Voice.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <mutex>

#include "LibraryFunctions.h"

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
  decltype(&espeak_SetSynthCallback) SetSynthCallback = nullptr;
  bool loaded = false;
};

// Null when the library or one of its functions is missing.
const Engine *LoadedEngine() {
  static const Engine engine = [] {
    Engine loaded;
    QLibrary library(QStringLiteral("espeak-ng"), 1);
    loaded.loaded = library.load() && Resolve(library, "espeak_Initialize", &loaded.Initialize) &&
                    Resolve(library, "espeak_SetVoiceByName", &loaded.SetVoiceByName) &&
                    Resolve(library, "espeak_ListVoices", &loaded.ListVoices) &&
                    Resolve(library, "espeak_Synth", &loaded.Synth) &&
                    Resolve(library, "espeak_SetSynthCallback", &loaded.SetSynthCallback);
    return loaded;
  }();
  return engine.loaded ? &engine : nullptr;
}

// espeak-ng is one engine per process, started once (a second start after
// espeak_Terminate crashes the 1.51 library). It only makes samples: its own
// playback reports success with no sound server, and stays silent after the
// server restarts.
int &EngineRate() {
  static int rate = -1;
  return rate;
}

bool StartEngine() {
  if (EngineRate() >= 0) return EngineRate() > 0;
  const Engine *engine = LoadedEngine();
  EngineRate() =
      engine == nullptr
          ? 0
          : std::max(0, engine->Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT));
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

// The engine is one per process and not made for two threads at once.
std::mutex &EngineUse() {
  static std::mutex use;
  return use;
}

// The text in the voice (the one set last when none is named), as samples.
std::vector<short> Synthesize(const QString &text, const QString &voiceName) {
  const std::lock_guard<std::mutex> only(EngineUse());
  std::vector<short> samples;
  const Engine *engine = LoadedEngine();
  if (!voiceName.isEmpty() && engine->SetVoiceByName(voiceName.toUtf8().constData()) != EE_OK) return samples;
  engine->SetSynthCallback(CollectSamples);
  Collected() = &samples;
  const QByteArray utf8 = text.toUtf8();
  if (engine->Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                    nullptr, nullptr) != EE_OK)
    samples.clear();
  Collected() = nullptr;
  return samples;
}

}  // namespace

Voice::Voice() {
  const std::lock_guard<std::mutex> only(EngineUse());
  available_ = StartEngine();
  if (available_) name_ = ChooseVoice();
}

std::vector<short> Voice::Samples(const QString &text) const {
  if (!available_ || text.isEmpty()) return {};
  return Synthesize(text, name_);
}

std::vector<short> SynthesizeSamples(const QString &text, const QString &voiceName) {
  {
    const std::lock_guard<std::mutex> only(EngineUse());
    if (!StartEngine()) return {};
  }
  return voiceName.isEmpty() ? std::vector<short>() : Synthesize(text, voiceName);
}

int SampleRate() { return EngineRate(); }

}  // namespace velmora
