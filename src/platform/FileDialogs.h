#pragma once
// The desktop's file choosers, behind a seam that tests can replace.
#include <QByteArray>
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

// Asks where to save, then writes what content gives (asked only once a
// place is chosen) in one piece, replacing a file only when all of it was
// written; a failure is told in a message box naming what ("The favourites").
void SaveToChosenFile(QWidget *parent, const QString &caption, const QString &suggested, const QString &filter,
                      const std::function<QByteArray()> &content, const QString &what);
// Files to open: the chosen paths, none when the user cancelled.
using OpenFilesChooser = std::function<QStringList(QWidget *parent, const QString &caption, const QString &filter)>;
QStringList ChooseOpenFiles(QWidget *parent, const QString &caption, const QString &filter);
void SetOpenFilesChooser(OpenFilesChooser chooser);

}  // namespace velmora
