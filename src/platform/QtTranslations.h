#pragma once
// Qt's own texts (the standard buttons of message boxes and dialogs, the
// file chooser) in the interface language, from Qt's translations.
#include <QString>

namespace velmora {

// The Qt locale of a language file: simplified Chinese for "GB", traditional
// for "BIG5", none (Qt's English) for any other.
QString QtLocaleOfLanguage(const QString &language);
// Replaces Qt's texts by those of the language; English when Qt has no
// translation for it or the translations are not installed.
void UseQtTranslationsFor(const QString &language);

}  // namespace velmora
