#pragma once
#include <QMainWindow>

namespace velmora {

class frmVELM : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmVELM(QWidget *parent = nullptr);
};

}  // namespace velmora
