#include "Speaker.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "SoundOutput.h"
#include "Voice.h"

namespace velmora {

namespace {

// Samples are written this many at a time (50 ms at 22,050 Hz), and a later
// utterance is looked for between writes.
constexpr size_t kSamplesPerWrite = 1100;

// Lives on the speaker's thread: the engine is made and used only there.
class SpeechWorker : public QObject {
 public:
  explicit SpeechWorker(Speaker *speaker) : speaker_(speaker) {}
  Voice &Started() {
    if (!voice_) {
      voice_ = std::make_unique<Voice>();
      Tell(voice_->IsAvailable() && OpenSoundOutput(SampleRate(), nullptr) != nullptr);
    }
    return *voice_;
  }
  void Say(const QString &text, int utterance) {
    Voice &voice = Started();
    if (!voice.IsAvailable() || utterance != speaker_->Utterance()) return;
    const std::vector<short> samples = voice.Samples(text);
    if (samples.empty() || utterance != speaker_->Utterance()) return;
    QString reason;
    const std::unique_ptr<SoundOutput> output = OpenSoundOutput(SampleRate(), &reason);
    Tell(output != nullptr);
    if (!output) {
      emit speaker_->noSoundOutput(reason);
      return;
    }
    Play(*output, samples, utterance);
  }

 private:
  void Play(SoundOutput &output, const std::vector<short> &samples, int utterance) {
    for (size_t at = 0; at < samples.size(); at += kSamplesPerWrite) {
      if (utterance != speaker_->Utterance()) return output.Flush();
      if (!output.Write(samples.data() + at, std::min(kSamplesPerWrite, samples.size() - at))) return;
    }
    output.Drain();
  }
  void Tell(bool available) {
    if (told_ == available) return;
    told_ = available;
    emit speaker_->ready(available);
  }

  Speaker *speaker_;
  std::unique_ptr<Voice> voice_;
  std::optional<bool> told_;
};

SpeechWorker *Worker(QObject *worker) { return static_cast<SpeechWorker *>(worker); }

}  // namespace

Speaker::Speaker(QObject *parent) : QObject(parent), worker_(new SpeechWorker(this)) {
  thread_.setObjectName(QStringLiteral("speech"));
  worker_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start();
}

void Speaker::Prepare() {
  QMetaObject::invokeMethod(worker_, [worker = Worker(worker_)] { worker->Started(); });
}

Speaker::~Speaker() {
  ++utterance_;  // what is being said stops within one write
  thread_.quit();
  thread_.wait();
}

void Speaker::Say(const QString &text) {
  if (text.isEmpty()) return;
  const int utterance = ++utterance_;
  QMetaObject::invokeMethod(worker_, [worker = Worker(worker_), text, utterance] { worker->Say(text, utterance); });
}

}  // namespace velmora
