#include "Pinyin.h"

namespace velmora {

namespace {

const QString kVowels = QStringLiteral("aeiouü");
// Tone 1 to 4 of each vowel, in the order of kVowels.
const QString kMarked[6] = {
    QStringLiteral("āáǎà"), QStringLiteral("ēéěè"), QStringLiteral("īíǐì"),
    QStringLiteral("ōóǒò"), QStringLiteral("ūúǔù"), QStringLiteral("ǖǘǚǜ"),
};

bool HasLetter(const QString &token) {
  for (const QChar c : token)
    if (c.isLetter()) return true;
  return false;
}

// The index of the vowel that carries the tone mark: a or e first, the o of
// "ou", otherwise the last vowel.
qsizetype MarkPosition(const QString &lower) {
  for (const QChar preferred : {QChar(u'a'), QChar(u'e')}) {
    const qsizetype at = lower.indexOf(preferred);
    if (at >= 0) return at;
  }
  const qsizetype ou = lower.indexOf(QStringLiteral("ou"));
  if (ou >= 0) return ou;
  for (qsizetype i = lower.size() - 1; i >= 0; --i)
    if (kVowels.contains(lower[i])) return i;
  return -1;
}

QString MarkSyllable(QString syllable) {
  syllable.replace(QStringLiteral("u:"), QStringLiteral("ü")).replace(QStringLiteral("U:"), QStringLiteral("Ü"));
  syllable.replace(QLatin1Char('v'), QStringLiteral("ü"));
  int tone = 0;
  if (!syllable.isEmpty() && syllable.back().isDigit()) {
    tone = syllable.back().digitValue();
    syllable.chop(1);
  }
  if (tone < 1 || tone > 4) return syllable;
  // Lower case letter by letter: a whole-string toLower() may change the
  // length ("İ" becomes two characters) and move the positions.
  QString lower = syllable;
  for (QChar &c : lower) c = c.toLower();
  const qsizetype at = MarkPosition(lower);
  if (at < 0) return syllable;
  const QChar marked = kMarked[kVowels.indexOf(lower[at])][tone - 1];
  syllable[at] = syllable[at].isUpper() ? marked.toUpper() : marked;
  return syllable;
}

QString StripMarks(const QString &text) {
  const QString decomposed = text.normalized(QString::NormalizationForm_D);
  QString plain;
  plain.reserve(decomposed.size());
  for (const QChar c : decomposed) {
    const char16_t code = c.unicode();
    if (code >= 0x0300 && code <= 0x036F && code != 0x0308) continue;
    plain += c;
  }
  return plain.normalized(QString::NormalizationForm_C);
}

}  // namespace

QString NumberedToToneMarks(const QString &numbered) {
  QStringList out;
  for (const QString &token : numbered.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!HasLetter(token) && !out.isEmpty()) {
      out.back() += token;
      continue;
    }
    out << (HasLetter(token) ? MarkSyllable(token) : token);
  }
  return out.join(QLatin1Char(' '));
}

int SyllableTone(const QString &syllable) {
  for (const QChar c : syllable)
    for (const QString &marks : kMarked) {
      const qsizetype tone = marks.indexOf(c.toLower());
      if (tone >= 0) return static_cast<int>(tone) + 1;
    }
  return 5;
}

QString WithTone(const QString &syllable, int tone) {
  QString plain = StripMarks(syllable);
  // The letters before any trailing punctuation take the tone.
  qsizetype end = plain.size();
  while (end > 0 && !plain[end - 1].isLetter()) --end;
  const QString tail = plain.mid(end);
  plain.truncate(end);
  return MarkSyllable(plain + QString::number(tone)) + tail;
}

QString WithoutTones(const QString &spell) { return StripMarks(spell).toLower(); }

QStringList PlainSyllables(const QString &spell) {
  QStringList syllables;
  for (const QString &token : WithoutTones(spell).split(QLatin1Char(' '), Qt::SkipEmptyParts))
    if (token.front().isLetter()) syllables << token;
  return syllables;
}

QString FilingLetter(const QString &spell) {
  const QStringList syllables = PlainSyllables(spell);
  if (syllables.isEmpty()) return {};
  const QChar first = syllables.front().front().toUpper();
  return first >= QLatin1Char('A') && first <= QLatin1Char('Z') ? QString(first) : QString();
}

QString SyllableInitials(const QString &spell) {
  QString initials;
  for (const QString &syllable : PlainSyllables(spell)) initials += syllable.front().toUpper();
  return initials;
}

QString SearchFold(const QString &text) {
  QString folded;
  for (const QChar c : WithoutTones(text)) {
    if (c == u'ü' || c == u'v')
      folded += QLatin1Char('u');
    else if (c.isLetterOrNumber())
      folded += c;
  }
  return folded;
}

QString FirstReading(const QString &spell) { return spell.section(QStringLiteral("; "), 0, 0).trimmed(); }

}  // namespace velmora
