// Fuzz target: the settings-file reader and writer. Whatever the bytes, a
// file reads back byte for byte, reads never exceed their buffer, and a
// written value reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "config/IniDocument.h"

using velmora::IniDocument;

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  IniDocument doc = IniDocument::FromBytes(bytes);
  Require(doc.ToBytes() == bytes);
  for (const char *section : {"Setting", "language", "system", ""}) {
    for (const char *key : {"UserName", "language", "DataLanguage", "OpenSystem", "logo", ""}) {
      for (const int limit : {0, 1, 19, 99, 199}) {
        const QString value = doc.Value(QString::fromLatin1(section), QString::fromLatin1(key), limit);
        Require(doc.Encode(value).size() <= limit);
      }
    }
  }
  doc.SetValue(QStringLiteral("Setting"), QStringLiteral("UserName"), QStringLiteral("Velmora 成语"));
  const IniDocument written = IniDocument::FromBytes(doc.ToBytes());
  Require(written.Value(QStringLiteral("setting"), QStringLiteral("username"), 1000) == QStringLiteral("Velmora 成语"));
  return 0;
}
