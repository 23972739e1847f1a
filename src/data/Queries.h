#pragma once
// The dictionary's query texts, exactly as the windows have always run them,
// and what the data builder records about an edition for the program.
#include <QString>

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

// An edition's facts in its table VelmoraInfo (Name, Value).
inline const QString kInfoListOrder = QStringLiteral("list_order");
// The Value of kInfoListOrder when the codes run 1..N in idiom order.
inline const QString kListInCodeOrder = QStringLiteral("code");
// The sources the edition was built from: a JSON list of objects with
// "name", "version" and "licence".
inline const QString kInfoSources = QStringLiteral("sources");
inline const QString kInfoValueQuery = QStringLiteral("SELECT Value FROM VelmoraInfo WHERE Name = ?");
// The search indexes, ready to load: table VelmoraSearch (Name, Data).
inline const QString kSearchTextIndex = QStringLiteral("text");
inline const QString kSearchPinyinIndex = QStringLiteral("pinyin");
inline const QString kSearchInitialsIndex = QStringLiteral("initials");
// Each idiom in the other script, in list order, one per line (UTF-8).
inline const QString kSearchOtherScript = QStringLiteral("script");
// Each row's idiom and spelling as VELM holds them, in list order, one row
// per line (UTF-8): the idiom, the separator kRowFieldSeparator, the
// spelling. A few pages to read where the table is every idiom's
// explanation too.
inline const QString kSearchRows = QStringLiteral("rows");
inline constexpr char kRowFieldSeparator = '\x1f';
// The CRC-32 of the rows as the table held them when they were stored, in
// decimal: rows that differ from it (damaged, or moved about) are not
// trusted, and the table is read instead. Rows stored without it neither.
inline const QString kSearchRowsCheck = QStringLiteral("rowscheck");
// The index of related idioms (RelatedIndex.h).
inline const QString kSearchRelatedIndex = QStringLiteral("related");
// The word index of search by meaning (MeaningIndex.h).
inline const QString kSearchMeaningIndex = QStringLiteral("meaning");
// How common each idiom is, in list order: a 32-bit count each
// (little-endian), 0 where it is not known. Editions without it know none.
inline const QString kSearchFrequency = QStringLiteral("frequency");
// Another source's reading of each idiom where it differs from the idiom's
// own, in list order, one per line (UTF-8; an empty line for none).
inline const QString kSearchOtherReading = QStringLiteral("otherreading");

}  // namespace velmora
