#include "Speaker.h"

#include <memory>

#include "Voice.h"

namespace velmora {

namespace {

// Lives on the speaker's thread: the engine is made and used only there.
class SpeechWorker : public QObject {
 public:
  explicit SpeechWorker(Speaker *speaker) : speaker_(speaker) {}
  Voice &Started() {
    if (!voice_) {
      voice_ = std::make_unique<Voice>();
      emit speaker_->ready(voice_->IsAvailable());
    }
    return *voice_;
  }
  void Say(const QString &text) { (void)Started().Speak(text); }
  void Stop() {
    if (voice_) voice_->Stop();
  }

 private:
  Speaker *speaker_;
  std::unique_ptr<Voice> voice_;
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
  QMetaObject::invokeMethod(
      worker_, [worker = Worker(worker_)] { worker->Stop(); }, Qt::BlockingQueuedConnection);
  thread_.quit();
  thread_.wait();
}

void Speaker::Say(const QString &text) {
  if (text.isEmpty()) return;
  QMetaObject::invokeMethod(worker_, [worker = Worker(worker_), text] { worker->Say(text); });
}

}  // namespace velmora
