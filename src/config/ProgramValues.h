#pragma once
// Program-wide values settled at start-up and shared by every window.
#include <QString>

namespace velmora {

// The installation folder: the executable's folder, always ending with "/".
QString &InstallPath();
// The current interface language: "default" or the stem of a language file.
QString &LangName();
// The connection string of the dictionary database.
QString &ConnString();

// The folder as given, with a trailing "/" added unless it has one already.
QString WithTrailingSlash(const QString &folder);

}  // namespace velmora
