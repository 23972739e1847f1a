#pragma once
// Notice of new selections under Wayland, where a window without focus is
// told of none: a connection of its own to the compositor, bound to a
// data-control protocol (wlroots' compositors, KDE Plasma 6), whose events
// say each time the clipboard or the primary selection has a new owner.
// The texts themselves are read as before, by the helper process.
#include <QObject>
#include <memory>

namespace velmora::wayland {

class DataControlWatch : public QObject {
  Q_OBJECT
 public:
  // Nothing when the session is not Wayland or the compositor offers no
  // data-control protocol.
  static std::unique_ptr<DataControlWatch> Start(QObject *parent = nullptr);
  ~DataControlWatch() override;
  // The compositor connection and what it told, kept in the source file.
  struct Connection;

 signals:
  void clipboardChanged();
  void primaryChanged();

 private:
  explicit DataControlWatch(std::unique_ptr<Connection> connection, QObject *parent);
  void Dispatch();

  std::unique_ptr<Connection> connection_;
};

}  // namespace velmora::wayland
