#include "TeachingText.h"

#include <QRegularExpression>

namespace velmora {

namespace {

bool IsChinese(const QString &text) {
  for (const QChar c : text)
    if (c.script() == QChar::Script_Han) return true;
  return false;
}

QString Labelled(const QString &label, const QString &text) {
  return label + (IsChinese(label) ? QStringLiteral("：") : QStringLiteral(" ")) + text.trimmed();
}

// The characters of a text, each once, also outside the Basic Multilingual Plane.
QStringList CharactersOf(const QString &text) {
  QStringList characters;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    characters << text.mid(i, width);
    i += width - 1;
  }
  return characters;
}

}  // namespace

QString SensesOnLines(const QString &note, const QString &literalLabel, const QString &figurativeLabel) {
  static const QRegularExpression marker(QStringLiteral("(?:^|;\\s*|(?<=\\))\\s*)\\b(lit|fig)\\.\\s*"));
  QStringList lines;
  for (const QString &line : note.split(QLatin1Char('\n'))) {
    QRegularExpressionMatchIterator found = marker.globalMatch(line);
    if (!found.hasNext()) {
      lines << line;
      continue;
    }
    qsizetype from = 0;
    QString label;
    while (found.hasNext()) {
      const QRegularExpressionMatch match = found.next();
      const QString before = line.mid(from, match.capturedStart() - from);
      if (!before.trimmed().isEmpty()) lines << (label.isEmpty() ? before.trimmed() : Labelled(label, before));
      label = match.captured(1) == QLatin1String("lit") ? literalLabel : figurativeLabel;
      from = match.capturedEnd();
    }
    lines << Labelled(label, line.mid(from));
  }
  return lines.join(QLatin1Char('\n'));
}

MarkedText ExampleWithIdiom(const QString &example, const QString &idiom) {
  MarkedText marked{example, {}};
  if (idiom.isEmpty()) return marked;
  marked.text.replace(QStringLiteral("～"), idiom).replace(QLatin1Char('~'), idiom);
  for (qsizetype at = marked.text.indexOf(idiom); at >= 0; at = marked.text.indexOf(idiom, at + idiom.size()))
    marked.marks.emplace_back(at, idiom.size());
  return marked;
}

std::vector<std::pair<QString, QString>> RubyPairs(const QString &idiom, const QString &spell) {
  const QStringList characters = CharactersOf(idiom);
  QStringList syllables;
  for (const QString &token : spell.section(QStringLiteral("; "), 0, 0).split(QLatin1Char(' '), Qt::SkipEmptyParts))
    if (token.front().isLetter()) syllables << token;
  std::vector<std::pair<QString, QString>> pairs;
  if (characters.isEmpty() || characters.size() != syllables.size()) return pairs;
  for (qsizetype i = 0; i < characters.size(); ++i) {
    // A character that is no Chinese one (punctuation) cannot carry a syllable.
    if (!IsChinese(characters[i])) return {};
    pairs.emplace_back(characters[i], syllables[i]);
  }
  return pairs;
}

}  // namespace velmora
