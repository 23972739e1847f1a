#include "ConnString.h"

#include <QStringList>

namespace velmora {

namespace {

const QString kProviderPrefix = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
const QString kDataSourceKey = QStringLiteral("Data Source=");
const QString kAfterDataSource = QStringLiteral(";Persist Security Info=");
const QString kPasswordPrefix = QStringLiteral(";Persist Security Info=False;Jet OLEDB:DataBase Password=");

// The field's value among "name=value" fields separated by ";".
QString FieldIn(const QString &fields, const QString &name) {
  for (const QString &field : fields.split(QLatin1Char(';'))) {
    const qsizetype equals = field.indexOf(QLatin1Char('='));
    if (equals >= 0 && field.left(equals).trimmed().compare(name, Qt::CaseInsensitive) == 0)
      return field.mid(equals + 1);
  }
  return {};
}

}  // namespace

QString BuildConnString(const QString &dataFile) {
  return kProviderPrefix + dataFile + kPasswordPrefix + kDatabasePassword;
}

QString ConnStringPart(const QString &connString, const QString &name) {
  const qsizetype key = connString.indexOf(kDataSourceKey, 0, Qt::CaseInsensitive);
  const qsizetype from = key < 0 ? connString.size() : key + kDataSourceKey.size();
  qsizetype to = connString.lastIndexOf(kAfterDataSource, -1, Qt::CaseInsensitive);
  if (to < from) to = connString.size();
  if (name.compare(QStringLiteral("Data Source"), Qt::CaseInsensitive) == 0)
    return key < 0 ? QString() : connString.mid(from, to - from);
  const QString before = connString.left(key < 0 ? connString.size() : key);
  const QString value = FieldIn(before, name);
  return value.isEmpty() ? FieldIn(connString.mid(to), name) : value;
}

}  // namespace velmora
