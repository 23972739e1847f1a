#pragma once
// Where the installation keeps its files. This is the one place that spells
// the layout of the installation folder; everything else asks here.
#include <QString>

namespace velmora {

// The configuration file, config.dll.
QString ConfigFilePath();
// The data file name of an edition ("GB" or "BIG5"); empty for any other.
QString DataFileName(const QString &dataLanguage);
// The data file of an edition in use: the user's own (an import into an
// installation the user may not write) when there is one, else the
// installed one; empty when the value names none.
QString DataFilePath(const QString &dataLanguage);
// Where a new edition of the data language is written: the installation's
// Data folder when the user may write it, else the user's data folder.
QString DataFileTarget(const QString &dataLanguage);
// A name from data or configuration stays inside its folder: a language or
// an idiom whose name holds a path separator has no file (empty path).
// The language file of a language name (the stem of a ".lng" file).
QString LanguageFilePath(const QString &name);
// The language file of the current language, LangName().
QString LanguageFilePath();
// The recorded video of an idiom, optional.
QString VideoPath(const QString &idiom);
// The local help page.
QString HelpPagePath();
// The folder that keeps copies of logo pictures, with a trailing "/".
QString FacesFolder();

// The user's own files live outside the installation folder, in the user's
// folders (on Linux ~/.config/velmora/ and ~/.local/share/velmora/); each
// folder with a trailing "/".
QString UserConfigFolder();
QString UserDataFolder();
// The user's favourites and history.
QString UserStorePath();
// The main window's remembered size, place, view and zoom.
QString WindowStatePath();

}  // namespace velmora
