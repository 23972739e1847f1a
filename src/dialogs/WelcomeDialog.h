#pragma once
// The welcome window shown before the dictionary opens when the
// configuration says the program has not been set up ("OpenSystem" below 1).
#include <QDialog>

namespace velmora {

class WelcomeDialog : public QDialog {
  Q_OBJECT
 public:
  explicit WelcomeDialog(QWidget *parent = nullptr);
};

}  // namespace velmora
