#pragma once
// The one road to the configuration file and the language files: a current
// settings file is selected, then read and written by section and key.
#include <QString>

namespace velmora {

inline const QString kNoIniFileError = QStringLiteral("Not Fount ini file");
inline const QString kWriteFailureError = QStringLiteral("Write Failure");

// Selects the current settings file (leading and trailing blanks removed).
void SetIniFile(const QString &path);
QString CurrentIniFile();
// True (and IniError "Not Fount ini file") when no file is selected.
bool NoIniFile();
// The value of the key, at most size - 1 bytes of the file's text; empty when
// absent, unreadable or no file is selected.
QString ReadIni(const QString &section, const QString &key, int size);
// Writes the value, creating file, section and key as needed. False (and
// IniError "Write Failure") when the file is read-only or cannot be replaced.
bool WriteIni(const QString &section, const QString &key, const QString &value);
// Selects the file, then writes; the caller learns of a failure through
// IniError() only.
void WriteIniTo(const QString &file, const QString &section, const QString &key,
                const QString &value);
QString IniError();

}  // namespace velmora
