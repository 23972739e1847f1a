#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace velmora {

QString QtLocaleOfLanguage(const QString &language) {
  if (language.compare(QLatin1String("GB"), Qt::CaseInsensitive) == 0) return QStringLiteral("zh_CN");
  if (language.compare(QLatin1String("BIG5"), Qt::CaseInsensitive) == 0) return QStringLiteral("zh_TW");
  return {};
}

void UseQtTranslationsFor(const QString &language) {
  static std::unique_ptr<QTranslator> installed;
  if (installed) QCoreApplication::removeTranslator(installed.get());
  installed.reset();
  const QString locale = QtLocaleOfLanguage(language);
  if (locale.isEmpty()) return;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
}

}  // namespace velmora
