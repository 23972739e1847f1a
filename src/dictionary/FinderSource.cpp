#include "FinderSource.h"

#include "config/FileHelpers.h"
#include "data/ConnString.h"
#include "data/EditionFacts.h"
#include "data/SqlConnection.h"

namespace velmora {

namespace {

IdiomFinder LoadFinder(const QString &dataFile, const QString &password) {
  IdiomFinder finder;
  QString error;
  const auto connection = SqlConnection::Open(dataFile, password, SqlConnection::Mode::ReadOnly, &error);
  if (!connection) return finder;
  if (const auto stored = ReadSearchIndexes(*connection)) {
    if (auto loaded = IdiomFinder::FromBytes({stored->text, stored->pinyin, stored->initials})) return std::move(*loaded);
  }
  const IdiomsAndSpells all = ReadIdiomsAndSpells(*connection);
  finder.Build(all.idioms, all.spells);
  return finder;
}

}  // namespace

std::function<IdiomFinder()> FinderSource(const IdiomList &list, const QString &connString) {
  if (list.IsPaged()) {
    const QString file = ResolvePath(ConnStringPart(connString, QStringLiteral("Data Source")));
    const QString password = ConnStringPart(connString, QStringLiteral("Jet OLEDB:DataBase Password"));
    return [file, password] { return LoadFinder(file, password); };
  }
  return [idioms = list.Idioms(), spells = list.Spells()] {
    IdiomFinder finder;
    finder.Build(idioms, spells);
    return finder;
  };
}

std::function<IdiomMatcher()> MatcherSource(const IdiomList &list, const QString &connString) {
  if (list.IsPaged()) {
    const QString file = ResolvePath(ConnStringPart(connString, QStringLiteral("Data Source")));
    const QString password = ConnStringPart(connString, QStringLiteral("Jet OLEDB:DataBase Password"));
    return [file, password] {
      IdiomMatcher matcher;
      QString error;
      const auto connection = SqlConnection::Open(file, password, SqlConnection::Mode::ReadOnly, &error);
      if (!connection) return matcher;
      ForEachIdiomInCodeOrder(*connection, [&matcher](const QString &idiom, const QString &spell) {
        matcher.Add(idiom, spell);
      });
      const QByteArray otherScript = ReadOtherScriptLines(*connection);
      if (!otherScript.isEmpty()) matcher.SetOtherScript(otherScript);
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

}  // namespace velmora
