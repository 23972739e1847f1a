#pragma once
// What an edition written by the data builder records for the program: that
// its codes run in idiom order (so the list can be read a page at a time),
// and its search indexes, ready to load. Editions of other makers have
// neither; their readers fall back to reading every row.
#include <QByteArray>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ByteSource.h"
#include "SqlConnection.h"

namespace velmora {

// The number of rows when the edition's codes run 1..N in idiom order.
std::optional<size_t> RowsInCodeOrder(const SqlConnection &connection);

// The stored search indexes, read from the file a range at a time when
// wanted, through the connection (which they keep open); nothing when the
// edition has none. Held whole they would be megabytes (ten at 200,000
// idioms) of which a search reads a few hundred bytes.
struct StoredSearchIndexes {
  std::shared_ptr<const ByteSource> text, pinyin, initials;
};
std::optional<StoredSearchIndexes> OpenSearchIndexes(std::shared_ptr<SqlConnection> connection);
// Any data stored under the name in VelmoraSearch, read so; nullptr when it
// is not stored.
std::shared_ptr<const ByteSource> OpenSearchData(std::shared_ptr<SqlConnection> connection, const QString &name);

// Each idiom in the other script, in list order, as stored: UTF-8, one idiom
// per line; empty when not stored.
QByteArray ReadOtherScriptLines(const SqlConnection &connection);
// Each line of the data stored under the name in VelmoraSearch, in order,
// read a piece at a time; false when it is not stored or cannot be read
// whole (take may then have had some of its lines).
bool ForEachLineOfSearchData(const SqlConnection &connection, const QString &name,
                             const std::function<void(QByteArrayView line)> &take);
// Data stored under the name in VelmoraSearch; empty when not stored.
QByteArray ReadSearchData(const SqlConnection &connection, const QString &name);
// Every idiom with its spelling and explanation, in no particular order.
void ForEachIdiomWithNote(
    const SqlConnection &connection,
    const std::function<void(const QString &idiom, const QString &spell, const QString &note)> &take);
// The idiom's 近义词 (kind 1) and 反义词 (kind 2) as the sources gave them;
// none in editions that do not keep them.
std::vector<std::pair<int, QString>> ReadRelatedTerms(const SqlConnection &connection, const QString &idiom);

// A source the edition was built from, as its builder recorded it.
struct EditionSource {
  QString name, version, licence;
};
// Nothing when the edition does not say.
std::vector<EditionSource> ReadEditionSources(const SqlConnection &connection);

// Every idiom with its spelling, in idiom order.
struct IdiomsAndSpells {
  QStringList idioms, spells;
};
IdiomsAndSpells ReadIdiomsAndSpells(const SqlConnection &connection);
// For an edition whose codes run in idiom order: each idiom with its
// spelling, in that order, handed on a row at a time (no row is kept).
void ForEachIdiomInCodeOrder(const SqlConnection &connection,
                             const std::function<void(const QString &idiom, const QString &spell)> &take);
// The same from the rows stored beside the search indexes (kSearchRows):
// false, having handed on none, only some, or rows that are not what the
// table held when they were stored (kSearchRowsCheck), when the edition
// stores none or they cannot all be read.
bool ForEachStoredIdiom(const SqlConnection &connection,
                        const std::function<void(const QString &idiom, const QString &spell)> &take);

}  // namespace velmora
