#pragma once
// The desktop's file choosers, behind a seam that tests can replace.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace velmora {

// Where to save a file: the chosen path, empty when the user cancelled.
using SaveFileChooser =
    std::function<QString(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter)>;
QString ChooseSaveFile(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter);
// Replaces the chooser (an empty one restores the desktop's).
void SetSaveFileChooser(SaveFileChooser chooser);

// Files to open: the chosen paths, none when the user cancelled.
using OpenFilesChooser = std::function<QStringList(QWidget *parent, const QString &caption, const QString &filter)>;
QStringList ChooseOpenFiles(QWidget *parent, const QString &caption, const QString &filter);
void SetOpenFilesChooser(OpenFilesChooser chooser);

}  // namespace velmora
