// Fuzz target: the import's format detection. Whatever the bytes, a format
// is told or the content is refused in words; never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "editions/SourceError.h"
#include "editions/SourceFile.h"

using namespace velmora::editions;

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  for (const SourceKind kind : {SourceKind::Any, SourceKind::Json, SourceKind::Cedict}) {
    try {
      const SourceFormat format = DetectFormat(content, kind, QStringLiteral("source"));
      Require(!FormatName(format).isEmpty());
      if (kind == SourceKind::Json) Require(format == SourceFormat::IdiomJson);
    } catch (const SourceError &error) {
      Require(kind == SourceKind::Any && !error.Text().isEmpty());
    }
  }
  return 0;
}
