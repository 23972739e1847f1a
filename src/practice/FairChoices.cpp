#include "FairChoices.h"

#include <QSet>
#include <algorithm>

#include "dictionary/Pinyin.h"
#include "dictionary/RelatedIndex.h"
#include "practice/MissingCharacterQuiz.h"

namespace velmora {

namespace {

QSet<QString> NormalizedSenses(const QString &meaning) {
  QSet<QString> senses;
  for (const QString &sense : RelatedIndex::Senses(meaning))
    if (const QString normal = RelatedIndex::NormalizedSense(sense); !normal.isEmpty()) senses.insert(normal);
  return senses;
}

}  // namespace

bool IsVariant(const ChoiceFacts &one, const ChoiceFacts &other) {
  QStringList mine = Characters(one.idiom), theirs = Characters(other.idiom);
  if (mine.size() != theirs.size() || mine == theirs) return false;
  // The same characters in another order.
  QStringList sortedMine = mine, sortedTheirs = theirs;
  std::sort(sortedMine.begin(), sortedMine.end());
  std::sort(sortedTheirs.begin(), sortedTheirs.end());
  if (sortedMine == sortedTheirs) return true;
  // One character swapped for another of the same sound.
  qsizetype differ = -1;
  for (qsizetype i = 0; i < mine.size(); ++i)
    if (mine[i] != theirs[i]) {
      if (differ >= 0) return false;
      differ = i;
    }
  const QStringList mySounds = PlainSyllables(FirstReading(one.reading)),
                    theirSounds = PlainSyllables(FirstReading(other.reading));
  return mySounds.size() == mine.size() && theirSounds.size() == theirs.size() &&
         SearchFold(mySounds[differ]) == SearchFold(theirSounds[differ]);
}

bool AlsoFits(const ChoiceFacts &card, const ChoiceFacts &candidate, const QStringList &synonyms) {
  if (candidate.idiom == card.idiom || synonyms.contains(candidate.idiom)) return true;
  // Either explanation naming the other: "同…", "犹…", "亦作…", or any mention.
  if (candidate.meaning.contains(card.idiom) || card.meaning.contains(candidate.idiom)) return true;
  if (IsVariant(card, candidate)) return true;
  const QSet<QString> cardSenses = NormalizedSenses(card.meaning);
  return !cardSenses.isEmpty() && cardSenses.intersects(NormalizedSenses(candidate.meaning));
}

}  // namespace velmora
