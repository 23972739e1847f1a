#pragma once
// Where the installation keeps its files. This is the one place that spells
// the layout of the installation folder; everything else asks here.
#include <QString>
#include <functional>

namespace velmora {

// An installation the user may not write (a package's folder) is read from
// the installation and written in the user's folders: the first write of
// config.dll copies it to ~/.config/velmora/ and changes the copy, logos go
// to ~/.local/share/velmora/Faces/, imported editions beside them. An
// installation the user may write is used as it is, without copies.

// True for an installation whose files live in the users' folders: one the
// user may not write (for any reason: permissions, a read-only file system),
// or one the package marks as a system installation (so that even root
// keeps settings in its own home). A folder installation the user may
// write reads and writes only its own files.
bool UsesUserFolders();
// The installation's own config.dll.
QString InstalledConfigFilePath();
// The configuration file that is read: the user's copy once there is one,
// else the installation's config.dll.
QString ConfigFilePath();
// The configuration file to write: the one read when the user may write it,
// else the user's copy, made from the installed file now.
QString ConfigFileForWriting();
// Replaces how the layout tells whether the user may write a file or make
// one in a folder (tests run as a user who may write anything); an empty
// check restores the file system's answer.
void SetWritableCheck(std::function<bool(const QString &)> check);
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
// The folder that keeps copies of logo pictures, with a trailing "/": the
// installation's Faces/ when the user may write it, else the user's.
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
