#pragma once
// Where the search list gets its find from, off the start's path: a callable
// that may run on another thread. On an edition with stored indexes it loads
// them over a connection of its own; otherwise it builds the indexes from
// the idioms and spellings (those in memory, or read afresh).
#include <QString>
#include <functional>

#include "IdiomFinder.h"
#include "IdiomMatcher.h"
#include "RelatedIndex.h"
#include "data/IdiomStore.h"

namespace velmora {

std::function<IdiomFinder()> FinderSource(const IdiomList &list, const QString &connString);
// The same for the match list's matcher, with the idioms in the other script
// when the edition stores them.
std::function<IdiomMatcher()> MatcherSource(const IdiomList &list, const QString &connString);

// The same for the index of related idioms: stored in the edition, or built
// from its idioms, readings and explanations.
std::function<RelatedIndex()> RelatedSource(const QString &connString);

}  // namespace velmora
