#pragma once
// Reads idioms aloud off the window's thread. One worker thread owns the
// speech engine, which it starts when it is first wanted (a text to say, or
// Prepare): the engine, its sound libraries and its voice data are some
// megabytes that a run without speech never needs. Say returns at once, and
// a text said while another is being said stops that one first.
#include <QObject>
#include <QString>
#include <QThread>

namespace velmora {

class Speaker : public QObject {
  Q_OBJECT
 public:
  explicit Speaker(QObject *parent = nullptr);
  ~Speaker() override;
  void Say(const QString &text);
  // Starts the engine now, so that ready() tells whether there is a voice.
  void Prepare();

 signals:
  // From the worker, once the engine has started (or is known to be missing).
  void ready(bool available);

 private:
  QThread thread_;
  QObject *worker_;
};

}  // namespace velmora
