#pragma once
// Where the maker of Velmora can be reached: the mail address and the web
// page, used by the main window's buttons and the about box.
#include <QString>

namespace velmora {

inline const QString kMakerEmail = QStringLiteral("velmora@example.org");
inline const QString kMakerWebPage = QStringLiteral("https://velmora.example.org/");

}  // namespace velmora
