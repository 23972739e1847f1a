#pragma once
// The one road to the configuration file and the language files: a current
// settings file is selected, then read and written by section and key.
#include <QString>
#include <vector>

namespace velmora {

inline const QString kNoIniFileError = QStringLiteral("Not Fount ini file");
inline const QString kWriteFailureError = QStringLiteral("Write Failure");
// A settings file larger than this reads as missing: no real one comes near.
inline constexpr qint64 kLargestSettingsFile = 4 * 1024 * 1024;

// Selects the current settings file (leading and trailing blanks removed).
void SetIniFile(const QString &path);
QString CurrentIniFile();
// True (and IniError "Not Fount ini file") when no file is selected.
bool NoIniFile();
// The value of the key, at most size - 1 bytes of the file's text; empty when
// absent, unreadable or no file is selected.
QString ReadIni(const QString &section, const QString &key, int size);
// The same from the given file, which does not become the current one.
QString ReadIniFrom(const QString &file, const QString &section, const QString &key, int size);
// Writes the value, creating file, section and key as needed. False (and
// IniError "Write Failure") when the file is read-only, not a regular file,
// or cannot be replaced.
bool WriteIni(const QString &section, const QString &key, const QString &value);
// Selects the file, then writes; the caller learns of a failure through
// IniError() only.
void WriteIniTo(const QString &file, const QString &section, const QString &key, const QString &value);
QString IniError();

// One value of a write of several.
struct IniValue {
  QString section, key, value;
};
// Selects the file and writes all the values in one replacement of it, in
// their order, so that the file holds either none or all of them.
bool WriteIniValues(const QString &file, const std::vector<IniValue> &values);

// True for a settings file that the reads take: an existing regular file (a
// link to one counts), not hidden, of at most kLargestSettingsFile bytes.
// Devices, FIFOs and huge files read as missing.
bool SettingsFileReadable(const QString &path);

}  // namespace velmora
