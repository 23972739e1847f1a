#pragma once
// A user's first start of a system installation in a Chinese locale: the
// installed configuration says "default" (English), but a reader in China
// or Singapore expects the simplified interface and one in Taiwan or Hong
// Kong the traditional one. The choice is written to the user's own copy of
// the settings, like any other setting, so it is made once; an explicit
// language always wins, and a folder installation is left as it is.
#include <QString>

namespace velmora {

// "GB" for zh_CN and zh_SG, "BIG5" for zh_TW, zh_HK and zh_MO; "EN" otherwise.
QString LanguageOfLocale(const QString &localeName);
// Adopts the locale's language as described above; true when it wrote one.
bool AdoptLocaleLanguage(const QString &localeName);

}  // namespace velmora
