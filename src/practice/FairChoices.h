#pragma once
// Wrong choices that are truly wrong. A question that asks which idiom a
// meaning describes must not offer another idiom the meaning describes as
// well: one of the same meaning, one the sources give as a synonym, a
// variant of the idiom (its characters in another order, or one character
// swapped for another of the same sound), or one whose explanation names
// the idiom ("同…", "犹…", "亦作…") or is named by the idiom's.
#include <QString>
#include <QStringList>

namespace velmora {

struct ChoiceFacts {
  QString idiom, meaning, reading;
};

// True when the candidate would also answer a meaning question about the
// card; synonyms are the card's 近义词 as its sources give them.
bool AlsoFits(const ChoiceFacts &card, const ChoiceFacts &candidate, const QStringList &synonyms);

// True when the two idioms are variants of one another, as above.
bool IsVariant(const ChoiceFacts &one, const ChoiceFacts &other);

}  // namespace velmora
