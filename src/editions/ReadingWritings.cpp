#include "ReadingWritings.h"

#include <QList>
#include <QStringList>

#include "dictionary/Pinyin.h"

namespace velmora::editions {

namespace {

const QString kSeparator = QStringLiteral("; ");

// The letters of a reading, lower case and toneless, "ü" however written.
QString Letters(const QString &reading) {
  QString folded = WithoutTones(reading.toLower());
  folded.replace(QStringLiteral("u:"), QStringLiteral("ü")).replace(QLatin1Char('v'), QStringLiteral("ü"));
  QString letters;
  letters.reserve(folded.size());
  for (const QChar c : folded)
    if (c.isLetter()) letters += c;
  return letters;
}

// The tones of the syllables that carry one (1-4); none for a toneless reading.
QList<int> Tones(const QString &reading) {
  QList<int> tones;
  bool marked = false;
  for (const QString &syllable : reading.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const int tone = SyllableTone(syllable);
    marked = marked || tone != 5;
    tones << tone;
  }
  return marked ? tones : QList<int>();
}

}  // namespace

bool SameWriting(const QString &a, const QString &b) {
  if (Letters(a) != Letters(b)) return false;
  const QList<int> one = Tones(a), other = Tones(b);
  return one.isEmpty() || other.isEmpty() || one == other;
}

QString JoinReadings(const QString &readings, const QString &added) {
  QStringList kept = readings.split(kSeparator, Qt::SkipEmptyParts);
  for (const QString &part : QString(added).replace(u'；', u';').split(QLatin1Char(';'))) {
    const QString reading = part.trimmed();
    if (reading.isEmpty()) continue;
    qsizetype same = 0;
    while (same < kept.size() && !SameWriting(kept[same], reading)) ++same;
    if (same == kept.size())
      kept << reading;
    else if (Tones(kept[same]).isEmpty() && !Tones(reading).isEmpty())
      kept[same] = reading;
  }
  return kept.join(kSeparator);
}

}  // namespace velmora::editions
