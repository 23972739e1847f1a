#include "CedictNotation.h"

#include <QRegularExpression>
#include <QStringList>

#include "dictionary/Pinyin.h"

namespace velmora::editions {

namespace {

// trad|simp[pin1 yin1] or word[pin1 yin1]; the pinyin part may be absent.
const QRegularExpression &CrossReference() {
  static const QRegularExpression pattern(QStringLiteral(R"(([^\s\[\]|/;,()]+)(?:\|([^\s\[\]|/;,()]+))?\[([^\]]*)\])"));
  return pattern;
}

QString ReadableReferences(const QString &text, bool traditional) {
  QString result;
  qsizetype last = 0;
  auto matches = CrossReference().globalMatch(text);
  while (matches.hasNext()) {
    const auto match = matches.next();
    result += text.mid(last, match.capturedStart() - last);
    const QString first = match.captured(1), second = match.captured(2);
    const QString word = second.isEmpty() ? first : (traditional ? first : second);
    const QString reading = NumberedToToneMarks(match.captured(3).replace(QStringLiteral("u:"), QStringLiteral("ü")));
    result += reading.isEmpty() ? word : word + QStringLiteral(" (") + reading + QLatin1Char(')');
    last = match.capturedEnd();
  }
  return result + text.mid(last);
}

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
    const QString clean = ReadableReferences(WithoutIdiomTag(part), traditional).trimmed();
    if (!clean.isEmpty() && !kept.contains(clean)) kept << clean;
  }
  return kept.join(QStringLiteral("; "));
}

}  // namespace velmora::editions
