#include "Speaker.h"

#include <memory>

#include "Voice.h"

namespace velmora {

namespace {

// Lives on the speaker's thread: the engine is made and used only there.
class SpeechWorker : public QObject {
 public:
  void Start(Speaker *speaker) {
    voice_ = std::make_unique<Voice>();
    emit speaker->ready(voice_->IsAvailable());
  }
  void Say(const QString &text) {
    if (voice_) (void)voice_->Speak(text);
  }
  void Stop() {
    if (voice_) voice_->Stop();
  }

 private:
  std::unique_ptr<Voice> voice_;
};

SpeechWorker *Worker(QObject *worker) { return static_cast<SpeechWorker *>(worker); }

}  // namespace

Speaker::Speaker(QObject *parent) : QObject(parent), worker_(new SpeechWorker) {
  thread_.setObjectName(QStringLiteral("speech"));
  worker_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start();
  QMetaObject::invokeMethod(worker_, [worker = Worker(worker_), this] { worker->Start(this); });
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
