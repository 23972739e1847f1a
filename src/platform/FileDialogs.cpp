#include "FileDialogs.h"

#include <QFileDialog>
#include <QSaveFile>

#include "MessageBoxes.h"
#include "config/ProgramValues.h"

namespace velmora {

namespace {

QString ShowSaveDialog(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter) {
  return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

SaveFileChooser &SaveChooser() {
  static SaveFileChooser chooser = ShowSaveDialog;
  return chooser;
}

QStringList ShowOpenDialog(QWidget *parent, const QString &caption, const QString &filter) {
  return QFileDialog::getOpenFileNames(parent, caption, QString(), filter);
}

OpenFilesChooser &OpenChooser() {
  static OpenFilesChooser chooser = ShowOpenDialog;
  return chooser;
}

}  // namespace

QStringList ChooseOpenFiles(QWidget *parent, const QString &caption, const QString &filter) {
  return OpenChooser()(parent, caption, filter);
}

void SetOpenFilesChooser(OpenFilesChooser chooser) {
  OpenChooser() = chooser ? std::move(chooser) : OpenFilesChooser(ShowOpenDialog);
}

QString ChooseSaveFile(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter) {
  return SaveChooser()(parent, caption, suggested, filter);
}

void SetSaveFileChooser(SaveFileChooser chooser) {
  SaveChooser() = chooser ? std::move(chooser) : SaveFileChooser(ShowSaveDialog);
}

void SaveToChosenFile(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter,
                      const std::function<QByteArray()> &content, const QString &what) {
  const QString path = ChooseSaveFile(parent, caption, suggested, filter);
  if (path.isEmpty()) return;
  QSaveFile file(path);
  const bool saved = file.open(QIODevice::WriteOnly) && file.write(content()) >= 0 && file.commit();
  if (!saved)
    ShowMessageBox({QStringLiteral("%1 could not be written to %2: %3").arg(what, path, file.errorString()),
                    kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
}

}  // namespace velmora
