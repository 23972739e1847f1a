#include "TeachingText.h"
#include "dictionary/Pinyin.h"

#include <algorithm>
#include <optional>

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

// Where "lit." or "fig." opens a sense: at the line's start, after ";"
// (which goes with the marker) or after ")" (which stays with the text
// before), with blanks between. Found by hand: it runs for every idiom
// shown, and a regular expression would load its engine for it.
struct SenseMarker {
  qsizetype start, end;
  bool literal;
};

bool IsBlank(QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

std::optional<SenseMarker> NextSenseMarker(const QString &line, qsizetype from) {
  const auto markerAt = [&](qsizetype start, qsizetype word) -> std::optional<SenseMarker> {
    while (word < line.size() && IsBlank(line.at(word))) ++word;
    const QStringView name = QStringView(line).mid(word, 4);
    if (name != u"lit." && name != u"fig.") return std::nullopt;
    qsizetype end = word + 4;
    while (end < line.size() && IsBlank(line.at(end))) ++end;
    return SenseMarker{start, end, name == u"lit."};
  };
  for (qsizetype at = from; at < line.size(); ++at) {
    std::optional<SenseMarker> marker;
    if (at == 0 && !IsBlank(line.at(0))) marker = markerAt(0, 0);
    if (!marker && line.at(at) == u';') marker = markerAt(at, at + 1);
    if (!marker && at > 0 && line.at(at - 1) == u')') marker = markerAt(at, at);
    if (marker) return marker;
  }
  return std::nullopt;
}

}  // namespace

QString SensesOnLines(const QString &note, const QString &literalLabel, const QString &figurativeLabel) {
  QStringList lines;
  for (const QString &line : note.split(QLatin1Char('\n'))) {
    std::optional<SenseMarker> found = NextSenseMarker(line, 0);
    if (!found) {
      lines << line;
      continue;
    }
    qsizetype from = 0;
    QString label;
    for (; found; found = NextSenseMarker(line, found->end)) {
      const QString before = line.mid(from, found->start - from);
      if (!before.trimmed().isEmpty()) lines << (label.isEmpty() ? before.trimmed() : Labelled(label, before));
      label = found->literal ? literalLabel : figurativeLabel;
      from = found->end;
    }
    lines << Labelled(label, line.mid(from));
  }
  return lines.join(QLatin1Char('\n'));
}

QString WithoutLiteralSense(const QString &note) {
  // Labels no text holds, to tell the senses apart.
  const QString literal = QStringLiteral("\x01"), figurative = QStringLiteral("\x02");
  const QStringList lines = SensesOnLines(note, literal, figurative).split(QLatin1Char('\n'));
  const bool hasFigurative = std::any_of(lines.cbegin(), lines.cend(),
                                         [&figurative](const QString &line) { return line.startsWith(figurative); });
  if (!hasFigurative) return note;
  QStringList kept;
  for (const QString &line : lines) {
    if (line.startsWith(literal)) continue;
    kept << (line.startsWith(figurative) ? line.mid(figurative.size()).trimmed() : line);
  }
  return kept.join(QLatin1Char('\n'));
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
  for (const QString &token : FirstReading(spell).split(QLatin1Char(' '), Qt::SkipEmptyParts))
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
