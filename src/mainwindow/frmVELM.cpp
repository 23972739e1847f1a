#include "frmVELM.h"

namespace velmora {

frmVELM::frmVELM(QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmVELM"));
  setWindowTitle(QStringLiteral("Velmora 1.0 Beta"));
  resize(546, 371);
}

}  // namespace velmora
