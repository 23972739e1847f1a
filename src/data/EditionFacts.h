#pragma once
// What an edition written by the data builder records for the program: that
// its codes run in idiom order (so the list can be read a page at a time),
// and its search indexes, ready to load. Editions of other makers have
// neither; their readers fall back to reading every row.
#include <QByteArray>
#include <QStringList>
#include <optional>

#include "SqlConnection.h"

namespace velmora {

// The number of rows when the edition's codes run 1..N in idiom order.
std::optional<size_t> RowsInCodeOrder(const SqlConnection &connection);

struct SearchIndexBytes {
  QByteArray text, pinyin, initials;
};
// The stored search indexes; nothing when the edition has none.
std::optional<SearchIndexBytes> ReadSearchIndexes(const SqlConnection &connection);

// Every idiom with its spelling, in idiom order.
struct IdiomsAndSpells {
  QStringList idioms, spells;
};
IdiomsAndSpells ReadIdiomsAndSpells(const SqlConnection &connection);
// The same for an edition whose codes run in idiom order, reading the two
// columns only.
IdiomsAndSpells ReadIdiomsAndSpellsInCodeOrder(const SqlConnection &connection);

}  // namespace velmora
