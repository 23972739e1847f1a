#include "FinderSource.h"

#include "data/Conn.h"
#include "data/EditionFacts.h"
#include "data/Queries.h"

namespace velmora {

namespace {

IdiomFinder LoadFinder(const QString &connString) {
  IdiomFinder finder;
  QString error;
  const std::shared_ptr<SqlConnection> connection = OpenConnection(connString, &error);
  if (!connection) return finder;
  // The stored indexes stay in the file, with the connection kept open to
  // read them, and a search reads the few keys it compares.
  if (const auto stored = OpenSearchIndexes(connection)) {
    if (auto loaded = IdiomFinder::FromSources({stored->text, stored->pinyin, stored->initials}))
      return std::move(*loaded);
  }
  const IdiomsAndSpells all = ReadIdiomsAndSpells(*connection);
  finder.Build(all.idioms, all.spells);
  return finder;
}

}  // namespace

std::function<IdiomFinder()> FinderSource(const IdiomList &list, const QString &connString) {
  if (list.IsPaged()) {
    return [connString] { return LoadFinder(connString); };
  }
  return [idioms = list.Idioms(), spells = list.Spells()] {
    IdiomFinder finder;
    finder.Build(idioms, spells);
    return finder;
  };
}

std::function<IdiomMatcher()> MatcherSource(const IdiomList &list, const QString &connString) {
  if (list.IsPaged()) {
    return [connString] {
      IdiomMatcher matcher;
      QString error;
      const auto connection = OpenConnection(connString, &error);
      if (!connection) return matcher;
      const auto rows = RowsInCodeOrder(*connection);
      int row = 0;
      const auto begin = [&] {
        matcher = IdiomMatcher();
        if (rows) matcher.Reserve(*rows);
        row = 0;
      };
      begin();
      // Another source's readings: the idiom is found by either.
      QHash<int, QString> others;
      int line = 0;
      ForEachLineOfSearchData(*connection, kSearchOtherReading, [&others, &line](QByteArrayView text) {
        if (!text.isEmpty()) others.insert(line, QString::fromUtf8(text));
        ++line;
      });
      const auto add = [&](const QString &idiom, const QString &spell) {
        const auto other = others.constFind(row++);
        matcher.Add(idiom, other == others.constEnd() ? spell : spell + QStringLiteral("; ") + *other);
      };
      // The rows stored beside the indexes are a few of the table's pages
      // to decipher; an edition without them, or with some missing, is read
      // from the table.
      if (!ForEachStoredIdiom(*connection, add) || (rows && static_cast<size_t>(row) != *rows)) {
        begin();
        ForEachIdiomInCodeOrder(*connection, add);
      }
      // Read a piece at a time: at 200,000 idioms the lines are megabytes
      // that would be held beside the matcher, at the start's peak.
      matcher.EndOtherScript(ForEachLineOfSearchData(
          *connection, kSearchOtherScript, [&matcher](QByteArrayView line) { matcher.AddOtherScriptLine(line); }));
      return matcher;
    };
  }
  // Editions of other makers hold no converted idioms: each script finds itself.
  return [idioms = list.Idioms(), spells = list.Spells()] {
    IdiomMatcher matcher;
    matcher.Build(idioms, spells);
    return matcher;
  };
}

std::function<RelatedIndex()> RelatedSource(const QString &connString) {
  return [connString] {
    RelatedIndex index;
    QString error;
    const auto connection = OpenConnection(connString, &error);
    if (!connection) return index;
    if (auto stored = RelatedIndex::Deserialize(ReadSearchData(*connection, kSearchRelatedIndex)))
      return std::move(*stored);
    ForEachIdiomWithNote(*connection, [&index](const QString &idiom, const QString &spell, const QString &note) {
      index.Add(idiom, spell, note);
    });
    index.Finish();
    return index;
  };
}

}  // namespace velmora
