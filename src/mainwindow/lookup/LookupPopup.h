#pragma once
// A small window for an idiom looked up from elsewhere ("Velmora lookup"):
// the idiom, its reading and the start of its explanation, with ★, "Study
// this", "Copy", Speak and "Open in Velmora"; or a short message when
// nothing could be looked up. A tool window, not a popup: on Wayland a
// popup needs the input event that opened it, and a lookup comes from
// another program. Esc, or leaving it once it had focus, closes it.
#include <QFrame>
#include <QTimer>

class QLabel;
class QPushButton;

namespace velmora {

class LookupPopup : public QFrame {
  Q_OBJECT
 public:
  LookupPopup();
  // Near the pointer, or centred on the screen when the pointer is not known.
  void ShowIdiom(const QString &idiom, const QString &reading, const QString &explanation);
  void ShowMessage(const QString &message);
  // What ★ and "Study this" show for the idiom on display.
  void ShowState(bool favourite, bool studied);

 signals:
  void openRequested(const QString &idiom);
  void speakRequested(const QString &text);
  void favouriteRequested(const QString &idiom, bool favourite);
  void studyRequested(const QString &idiom);
  // About to put the idiom on the clipboard.
  void copying();

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  void changeEvent(QEvent *event) override;

 private:
  void Place();
  void Copy();

  QLabel *idiom_, *reading_, *explanation_, *message_;
  QPushButton *open_, *speak_, *favourite_, *study_, *copy_;
  QTimer messageShown_;
  bool hadFocus_ = false;
};

}  // namespace velmora
