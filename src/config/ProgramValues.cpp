#include "ProgramValues.h"

namespace velmora {

QString &InstallPath() {
  static QString value;
  return value;
}

QString &LangName() {
  static QString value = QStringLiteral("default");
  return value;
}

QString &ConnString() {
  static QString value;
  return value;
}

QString WithTrailingSlash(const QString &folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace velmora
