// Fuzz target: the stroke file the character card reads. Whatever the
// bytes, it opens as none or gives records a character can have: at most
// kMostStrokes strokes, each path nothing but SVG path data.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "dictionary/CharacterStrokes.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QTemporaryDir dir;
  const QString path = velmora::fuzz::WriteInput(dir, QStringLiteral("strokes.dat"), data, size);
  if (path.isEmpty()) return 0;
  auto file = velmora::StrokeFile::Open(path);
  if (!file) return 0;
  for (const char32_t code : {U'一', U'画', U'龍', U'\U00020000'}) {
    const auto strokes = file->Find(QString::fromUcs4(&code, 1));
    if (!strokes) continue;
    Require(strokes->strokes.size() <= velmora::CharacterStrokes::kMostStrokes);
    for (const QString &stroke : strokes->strokes) Require(!stroke.contains(u'"') && !stroke.contains(u'<'));
  }
  return 0;
}
