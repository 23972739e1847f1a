// Fuzz target: the connection string. Whatever the data file's path holds,
// the string built from it gives back the path and the password unchanged;
// any text at all parses without harm.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "data/ConnString.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const QString conn = velmora::BuildConnString(text);
  if (velmora::ConnStringPart(conn, QStringLiteral("Data Source")) != text) std::abort();
  if (velmora::ConnStringPart(conn, QStringLiteral("Jet OLEDB:DataBase Password")) != velmora::kDatabasePassword)
    std::abort();
  (void)velmora::ConnStringPart(text, QStringLiteral("Data Source"));
  (void)velmora::ConnStringPart(text, QStringLiteral("Jet OLEDB:DataBase Password"));
  return 0;
}
