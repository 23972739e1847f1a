#pragma once
// A small window for an idiom looked up from elsewhere ("Velmora lookup"):
// the idiom, its reading and the start of its explanation, with "Open in
// Velmora" and Speak. Esc or a click elsewhere closes it.
#include <QFrame>

class QLabel;
class QPushButton;

namespace velmora {

class LookupPopup : public QFrame {
  Q_OBJECT
 public:
  LookupPopup();
  // Near the pointer, or centred on the screen when the pointer is not known.
  void ShowIdiom(const QString &idiom, const QString &reading, const QString &explanation);

 signals:
  void openRequested(const QString &idiom);
  void speakRequested(const QString &text);

 private:
  QLabel *idiom_, *reading_, *explanation_;
  QPushButton *open_, *speak_;
};

}  // namespace velmora
