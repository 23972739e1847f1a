#include "DesktopSearch.h"

#include "IdiomSearch.h"
#include "data/IdiomStore.h"
#include "dictionary/Pinyin.h"

namespace velmora {

namespace {

constexpr int kLongestKey = 100;
constexpr int kMeaningLength = 80;

}  // namespace

QStringList DesktopResults(IdiomSearch &search, const QString &key) {
  QStringList ids;
  const QString trimmed = key.trimmed().left(kLongestKey);
  if (trimmed.isEmpty()) return ids;
  for (const auto &match : search.Find(trimmed)) {
    ids << search.Matcher().IdiomAt(match.row);
    if (ids.size() >= kDesktopResults) break;
  }
  return ids;
}

QVariantMap DesktopDescription(const QString &idiom) {
  QVariantMap meta{{QStringLiteral("name"), idiom}};
  if (const auto record = Record(idiom)) {
    const QString meaning = record->note.section(QLatin1Char('\n'), 0, 0).left(kMeaningLength);
    meta.insert(QStringLiteral("description"), FirstReading(record->spell) + QStringLiteral(" — ") + meaning);
  }
  return meta;
}

}  // namespace velmora
