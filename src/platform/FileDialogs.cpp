#include "FileDialogs.h"

#include <QFileDialog>

namespace velmora {

namespace {

QString ShowSaveDialog(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter) {
  return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

SaveFileChooser &SaveChooser() {
  static SaveFileChooser chooser = ShowSaveDialog;
  return chooser;
}

}  // namespace

QString ChooseSaveFile(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter) {
  return SaveChooser()(parent, caption, suggested, filter);
}

void SetSaveFileChooser(SaveFileChooser chooser) {
  SaveChooser() = chooser ? std::move(chooser) : SaveFileChooser(ShowSaveDialog);
}

}  // namespace velmora
