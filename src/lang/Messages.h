#pragma once
// Message texts by number, from the "Message" section of the language file.
#include <QString>

namespace velmora {

inline const QString kMsgDatabaseUnavailable = QStringLiteral("800001001");
inline const QString kMsgQueryFailed = QStringLiteral("900001011");

// The message's text, or the file's "Err" text when it lacks the number; may
// be empty. Leaves the language file as the current settings file.
QString GetMessageText(const QString &number);

}  // namespace velmora
