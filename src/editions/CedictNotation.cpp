#include "CedictNotation.h"

#include <QRegularExpression>
#include <QStringList>

#include "dictionary/CedictMarkup.h"

namespace velmora::editions {

namespace {

// "(idiom)" as a tag of its own: at the start of a definition or alone.
QString WithoutIdiomTag(QString definition) {
  static const QRegularExpression tag(QStringLiteral(R"(\s*\(idiom\)\s*[,;:]?\s*)"));
  return definition.replace(tag, QStringLiteral(" ")).trimmed();
}

// "variant of 臥薪嘗膽|卧薪尝胆[...]" in the entry of 卧薪尝胆 or 臥薪嘗膽.
bool VariantOfItself(const QString &definition, const QString &idiom) {
  static const QRegularExpression variant(
      QStringLiteral(R"(^\s*(?:old |archaic )?variant of ([^\s\[|]+)(?:\|([^\s\[]+))?)"));
  const auto match = variant.match(definition);
  return !idiom.isEmpty() && match.hasMatch() && (match.captured(1) == idiom || match.captured(2) == idiom);
}

}  // namespace

QString CleanCedictDefinitions(const QString &definitions, bool traditional, const QString &idiom) {
  QStringList kept;
  for (const QString &part : definitions.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
    if (VariantOfItself(part, idiom)) continue;
    // Measure words, variants, other pronunciations and references in words,
    // as English as the definitions they stand in.
    const QString clean = RenderCedictMarkup(WithoutIdiomTag(part), CedictWords{}, traditional).trimmed();
    if (!clean.isEmpty() && !kept.contains(clean)) kept << clean;
  }
  return kept.join(QStringLiteral("; "));
}

}  // namespace velmora::editions
