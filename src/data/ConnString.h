#pragma once
// The connection string of the dictionary database:
// "Provider=...;Data Source=<file>;Persist Security Info=False;
//  Jet OLEDB:DataBase Password=<password>".
#include <QString>

namespace velmora {

inline const QString kDatabasePassword = QStringLiteral("WQZN4718");

QString BuildConnString(const QString &dataFile);
// The value of a field, found without regard to case; empty when absent.
// The data file's path may hold anything, ";" and "name=" included: it runs
// from "Data Source=" to the last ";Persist Security Info=", and no other
// field is looked for inside it.
QString ConnStringPart(const QString &connString, const QString &name);

}  // namespace velmora
