#pragma once
// Reads idioms aloud off the window's thread. One worker thread owns the
// speech engine (started there, so that the window does not wait for its
// voice data either); Say returns at once, and a text said while another is
// being said stops that one first.
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

 signals:
  // From the worker, once the engine is ready (or known to be missing).
  void ready(bool available);

 private:
  QThread thread_;
  QObject *worker_;
};

}  // namespace velmora
