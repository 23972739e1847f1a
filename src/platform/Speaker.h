#pragma once
// Reads idioms aloud off the window's thread. One worker thread owns the
// speech engine, which it starts when it is first wanted (a text to say, or
// Prepare): the engine, its sound libraries and its voice data are some
// megabytes that a run without speech never needs. Each utterance is made
// into samples and played through a sound output opened for it, so that a
// missing sound server is told and a restarted one is found. Say returns at
// once, and a text said while another is being said stops that one first.
#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>

namespace velmora {

class Speaker : public QObject {
  Q_OBJECT
 public:
  explicit Speaker(QObject *parent = nullptr);
  ~Speaker() override;
  void Say(const QString &text);
  // Starts the engine now and tries the sound output, so that ready() tells
  // whether anything can be heard.
  void Prepare();
  // Which utterance is the current one: a later Say makes an earlier one stop.
  int Utterance() const { return utterance_.load(); }

 signals:
  // From the worker: whether speech can be heard, once known and whenever
  // that changes (no voice, or no sound output; a sound server came back).
  void ready(bool available);
  // A text was to be said and no sound output could be opened.
  void noSoundOutput(const QString &reason);

 private:
  QThread thread_;
  QObject *worker_;
  std::atomic<int> utterance_{0};
};

}  // namespace velmora
