#pragma once
// The dictionary's queries, in one place: every window asks here for typed
// records instead of writing SQL. Each runs through OpenRS with its exact
// query text, so the record-set rules hold (a failed query gives nothing).
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace velmora {

// The query texts, for the store and for whoever measures it.
inline const QString kHighestCodeQuery = QStringLiteral("SELECT max(code) as Maxcode FROM VELM ");
inline const QString kAllIdiomsQuery = QStringLiteral("SELECT * FROM VELM ORDER BY Idiom ");
inline const QString kLetterQuery = QStringLiteral(
    "SELECT First(VELM.FirstA) AS FirstA, Count(VELM.FirstA) AS NumberOfDups FROM VELM GROUP BY VELM.FirstA "
    "HAVING (((Count(VELM.FirstA))>1))");
// The letter is a bound value, so that any letter text reads back safely.
inline const QString kIdiomsOfLetterQuery =
    QStringLiteral("SELECT VELM.Code, VELM.Idiom FROM VELM WHERE VELM.FirstA=? ORDER BY VELM.Idiom");
inline const QString kDetailQuery = QStringLiteral("SELECT * FROM VELM WHERE VELM.Idiom=?");
inline const QString kIdiomByCodeQuery = QStringLiteral("SELECT * FROM VELM where code=?");

// One row of the idiom table; absent values read as empty text.
struct IdiomRecord {
  QString code, idiom, firstA, initial, spell, note, source, example;
};

// Every idiom in idiom (pinyin) order, with its spelling at the same index.
struct ListedIdioms {
  QStringList idioms, spells;
};

// A filing letter of the index and how many idioms it holds.
struct LetterCount {
  QString letter;
  long long count = 0;
};

// An idiom filed under a letter, with its code as stored.
struct FiledIdiom {
  QString code, idiom;
};

ListedIdioms AllIdioms();
// The highest idiom code as the database gives it; nothing without idioms.
std::optional<QString> HighestCode();
// The letters that file more than one idiom, in A-Z order.
std::vector<LetterCount> LetterCounts();
std::vector<FiledIdiom> IdiomsFiledUnder(const QString &letter);
// The idiom's record; nothing when no idiom has this text.
std::optional<IdiomRecord> Record(const QString &idiom);
// The idiom text of a code; nothing when no idiom has it.
std::optional<QString> IdiomByCode(long long code);

}  // namespace velmora
