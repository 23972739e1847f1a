#include "SoundOutput.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "LibraryFunctions.h"

namespace velmora {

namespace {

// The client library is loaded with the first utterance, not with the program.
struct PulseSimple {
  decltype(&pa_simple_new) New = nullptr;
  decltype(&pa_simple_write) Write = nullptr;
  decltype(&pa_simple_drain) Drain = nullptr;
  decltype(&pa_simple_flush) Flush = nullptr;
  decltype(&pa_simple_free) Free = nullptr;
  decltype(&pa_strerror) Error = nullptr;
  bool loaded = false;
};

const PulseSimple *Library() {
  static const PulseSimple pulse = [] {
    PulseSimple loaded;
    QLibrary simple(QStringLiteral("pulse-simple"), 0);
    QLibrary client(QStringLiteral("pulse"), 0);
    loaded.loaded = simple.load() && client.load() && Resolve(simple, "pa_simple_new", &loaded.New) &&
                    Resolve(simple, "pa_simple_write", &loaded.Write) &&
                    Resolve(simple, "pa_simple_drain", &loaded.Drain) &&
                    Resolve(simple, "pa_simple_flush", &loaded.Flush) &&
                    Resolve(simple, "pa_simple_free", &loaded.Free) && Resolve(client, "pa_strerror", &loaded.Error);
    return loaded;
  }();
  return pulse.loaded ? &pulse : nullptr;
}

// A tenth of a second buffered: the stream plays in real time as it is
// written, and a stop cuts it within that.
constexpr int kBufferedMilliseconds = 100;

class PulseOutput : public SoundOutput {
 public:
  PulseOutput(const PulseSimple &pulse, pa_simple *stream) : pulse_(pulse), stream_(stream) {}
  ~PulseOutput() override { pulse_.Free(stream_); }
  bool Write(const short *samples, size_t count) override {
    int error = 0;
    return pulse_.Write(stream_, samples, count * sizeof(short), &error) == 0;
  }
  void Drain() override {
    int error = 0;
    pulse_.Drain(stream_, &error);
  }
  void Flush() override {
    int error = 0;
    pulse_.Flush(stream_, &error);
  }

 private:
  const PulseSimple &pulse_;
  pa_simple *stream_;
};

// A server that accepts and never answers holds pa_simple_new for good: it
// is given this long, then left to itself on a thread of its own.
constexpr auto kServerAnswers = std::chrono::seconds(3);

// The stream being opened, shared by the opener and whoever waits for it.
struct Opening {
  std::mutex guard;
  std::condition_variable done;
  pa_simple *stream = nullptr;
  int code = 0;
  bool finished = false, abandoned = false;
};

std::unique_ptr<SoundOutput> OpenPulse(int rate, QString *error) {
  const PulseSimple *pulse = Library();
  if (pulse == nullptr) {
    *error = QStringLiteral("the PulseAudio client library is missing");
    return nullptr;
  }
  const pa_sample_spec format{PA_SAMPLE_S16NE, static_cast<uint32_t>(rate), 1};
  const auto bytes = static_cast<uint32_t>(rate / 1000 * kBufferedMilliseconds * 2);
  const pa_buffer_attr buffer{static_cast<uint32_t>(-1), bytes, static_cast<uint32_t>(-1), static_cast<uint32_t>(-1),
                              static_cast<uint32_t>(-1)};
  auto opening = std::make_shared<Opening>();
  std::thread([pulse, format, buffer, opening] {
    int code = 0;
    pa_simple *stream =
        pulse->New(nullptr, "Velmora", PA_STREAM_PLAYBACK, nullptr, "idiom", &format, nullptr, &buffer, &code);
    const std::lock_guard<std::mutex> lock(opening->guard);
    if (opening->abandoned) {
      if (stream) pulse->Free(stream);
      return;
    }
    opening->stream = stream;
    opening->code = code;
    opening->finished = true;
    opening->done.notify_all();
  }).detach();
  std::unique_lock<std::mutex> lock(opening->guard);
  if (!opening->done.wait_for(lock, kServerAnswers, [&opening] { return opening->finished; })) {
    opening->abandoned = true;
    *error = QStringLiteral("the sound server does not answer");
    return nullptr;
  }
  if (opening->stream == nullptr) {
    *error = QString::fromUtf8(pulse->Error(opening->code));
    return nullptr;
  }
  return std::make_unique<PulseOutput>(*pulse, opening->stream);
}

SoundOutputOpener &Opener() {
  static SoundOutputOpener opener = OpenPulse;
  return opener;
}

}  // namespace

std::unique_ptr<SoundOutput> OpenSoundOutput(int rate, QString *error) {
  QString reason;  // openers always have a place for the reason
  return Opener()(rate, error ? error : &reason);
}

void SetSoundOutputOpener(SoundOutputOpener opener) {
  Opener() = opener ? std::move(opener) : SoundOutputOpener(OpenPulse);
}

}  // namespace velmora
