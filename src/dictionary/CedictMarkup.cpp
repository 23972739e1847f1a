#include "CedictMarkup.h"

#include <QRegularExpression>
#include <QStringList>
#include <functional>

#include "dictionary/Pinyin.h"

namespace velmora {

namespace {

// trad|simp[pin1 yin1] or word[pin1 yin1].
const QString kReference =
    QStringLiteral(R"(([^\s\[\]|/;,，、()（）:：“”"]+)(?:\|([^\s\[\]|/;,，、()（）:：“”"]+))?\[([^\]]*)\])");

QString Reading(QString numbered) {
  return NumberedToToneMarks(numbered.replace(QStringLiteral("u:"), QStringLiteral("ü")));
}

struct Reference {
  QString word, reading;
};

Reference ReferenceOf(const QRegularExpressionMatch &match, bool traditional) {
  const QString first = match.captured(1), second = match.captured(2);
  return {second.isEmpty() || traditional ? first : second, Reading(match.captured(3))};
}

// Replaces every match of the pattern with what the function makes of it.
QString ReplaceEach(const QString &text, const QRegularExpression &pattern,
                    const std::function<QString(const QRegularExpressionMatch &)> &make) {
  QString result;
  qsizetype last = 0;
  auto matches = pattern.globalMatch(text);
  while (matches.hasNext()) {
    const QRegularExpressionMatch match = matches.next();
    result += text.mid(last, match.capturedStart() - last) + make(match);
    last = match.capturedEnd();
  }
  return result + text.mid(last);
}

}  // namespace

QString RenderCedictMarkup(const QString &text, const CedictWords &words, bool traditional) {
  static const QRegularExpression reference(kReference);
  static const QRegularExpression measures(QStringLiteral(R"(CL:\s*((?:)") + kReference + QStringLiteral(R"(,?)+))"));
  static const QRegularExpression variant(QStringLiteral(R"((?:old |archaic )?variant of )") + kReference);
  static const QRegularExpression alsoPronounced(QStringLiteral(R"(also pr\.\s*\[([^\]]*)\])"));
  QString rendered = ReplaceEach(text, measures, [&](const QRegularExpressionMatch &match) {
    QStringList each;
    auto inside = reference.globalMatch(match.captured(1));
    while (inside.hasNext()) {
      const Reference one = ReferenceOf(inside.next(), traditional);
      each << one.word + QLatin1Char(' ') + one.reading;
    }
    return words.measureWords.arg(each.join(words.listSeparator));
  });
  rendered = ReplaceEach(rendered, variant, [&](const QRegularExpressionMatch &match) {
    const Reference one = ReferenceOf(match, traditional);
    return words.variantOf.arg(one.word, one.reading);
  });
  rendered = ReplaceEach(rendered, alsoPronounced, [&](const QRegularExpressionMatch &match) {
    return words.alsoPronounced.arg(Reading(match.captured(1)));
  });
  return ReplaceEach(rendered, reference, [&](const QRegularExpressionMatch &match) {
    const Reference one = ReferenceOf(match, traditional);
    return one.reading.isEmpty() ? one.word : one.word + QStringLiteral(" (") + one.reading + QLatin1Char(')');
  });
}

}  // namespace velmora
