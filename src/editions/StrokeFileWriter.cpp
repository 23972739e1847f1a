#include "StrokeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtConcurrent/QtConcurrentMap>
#include <QtEndian>
#include <algorithm>
#include <vector>

#include "CedictSource.h"
#include "SourceError.h"
#include "data/EditionFacts.h"
#include "data/SqlConnection.h"
#include "dictionary/CharacterStrokes.h"

namespace velmora::editions {

namespace {

// "M 186 647 Q 165 662" as "M186 647Q165 662": SVG path data needs no
// blank beside a command letter.
QString CompactPath(const QString &path) {
  QString compact;
  compact.reserve(path.size());
  for (qsizetype i = 0; i < path.size(); ++i) {
    const QChar c = path[i];
    if (c == QLatin1Char(' ') &&
        ((i > 0 && path[i - 1].isLetter()) || (i + 1 < path.size() && path[i + 1].isLetter()) || compact.isEmpty()))
      continue;
    compact += c;
  }
  return compact;
}

// The record of one character: its strokes and medians as the package gives
// them, and CC-CEDICT's senses; empty when there is neither.
QByteArray Record(const QString &character, const QDir &folder, const std::vector<CharacterSense> &senses) {
  QJsonObject record;
  QFile file(folder.filePath(character + QStringLiteral(".json")));
  if (file.open(QIODevice::ReadOnly)) {
    const QJsonObject data = QJsonDocument::fromJson(file.readAll()).object();
    if (data.value(QLatin1String("strokes")).isArray()) {
      // Compact: a path without the blanks its letters make needless, a
      // median as one text of numbers.
      QJsonArray paths, medians;
      for (const QJsonValue &path : data.value(QLatin1String("strokes")).toArray())
        paths.append(CompactPath(path.toString()));
      for (const QJsonValue &median : data.value(QLatin1String("medians")).toArray()) {
        QStringList numbers;
        for (const QJsonValue &point : median.toArray())
          numbers << QString::number(point.toArray().at(0).toDouble())
                  << QString::number(point.toArray().at(1).toDouble());
        medians.append(numbers.join(QLatin1Char(' ')));
      }
      record.insert(QStringLiteral("s"), paths);
      record.insert(QStringLiteral("m"), medians);
    }
  }
  QJsonArray readings;
  for (const CharacterSense &sense : senses) readings.append(QJsonArray{sense.reading, sense.english});
  if (!readings.isEmpty()) record.insert(QStringLiteral("r"), readings);
  if (record.isEmpty()) return {};
  return QJsonDocument(record).toJson(QJsonDocument::Compact);
}

// What records share, for the preset dictionary: pieces of records spread
// over the file.
QByteArray SharedDictionary(const std::vector<std::pair<uint32_t, QByteArray>> &records) {
  constexpr qsizetype kSize = 16 * 1024, kPiece = 512;
  QByteArray dictionary;
  const size_t step = std::max<size_t>(1, records.size() / (kSize / kPiece));
  for (size_t i = 0; i < records.size() && dictionary.size() < kSize; i += step)
    dictionary += records[i].second.left(kPiece);
  return dictionary.left(kSize);
}

void Put32(QByteArray &bytes, uint32_t value) {
  char little[4];
  qToLittleEndian(value, little);
  bytes.append(little, 4);
}

}  // namespace

StrokeFileFacts WriteStrokeFile(const QString &path, const QSet<QString> &characters, const QString &strokesFolder,
                                const QByteArray &cedictModule) {
  const auto senses = ReadCedictCharacters(cedictModule, characters);
  std::vector<std::pair<uint32_t, QString>> ordered;
  for (const QString &character : characters)
    if (const QList<uint> code = character.toUcs4(); code.size() == 1) ordered.emplace_back(code.front(), character);
  std::sort(ordered.begin(), ordered.end());
  const QDir folder(strokesFolder);
  StrokeFileFacts facts;
  // Read on every core: a file a character.
  std::vector<std::pair<uint32_t, QByteArray>> records(ordered.size());
  std::vector<size_t> places(ordered.size());
  for (size_t i = 0; i < places.size(); ++i) places[i] = i;
  QtConcurrent::blockingMap(places, [&](size_t i) {
    records[i] = {ordered[i].first, Record(ordered[i].second, folder, senses.value(ordered[i].second))};
  });
  for (size_t i = 0; i < ordered.size(); ++i)
    if (!records[i].second.isEmpty())
      facts.withStrokes += QFileInfo::exists(folder.filePath(ordered[i].second + QStringLiteral(".json")));
  std::erase_if(records, [](const auto &record) { return record.second.isEmpty(); });
  const QByteArray dictionary = SharedDictionary(records);
  // Packed on every core: each record alone.
  QtConcurrent::blockingMap(records, [&dictionary](std::pair<uint32_t, QByteArray> &entry) {
    entry.second = DeflateWith(entry.second, dictionary);
  });
  QByteArray head(StrokeFile::kMagic);
  Put32(head, static_cast<uint32_t>(dictionary.size()));
  head += dictionary;
  Put32(head, static_cast<uint32_t>(records.size()));
  uint32_t offset = static_cast<uint32_t>(head.size() + records.size() * 12);
  QByteArray body;
  for (const auto &[code, record] : records) {
    Put32(head, code);
    Put32(head, offset + static_cast<uint32_t>(body.size()));
    Put32(head, static_cast<uint32_t>(record.size()));
    body += record;
  }
  // Written aside, then renamed over the old file.
  QFile out(path + QStringLiteral(".part"));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(head) != head.size() ||
      out.write(body) != body.size() || !out.flush()) {
    out.remove();
    throw SourceError(path + QStringLiteral(": cannot be written"));
  }
  out.close();
  QFile::remove(path);
  if (!out.rename(path)) throw SourceError(path + QStringLiteral(": cannot be replaced"));
  facts.characters = static_cast<int>(records.size());
  facts.bytes = head.size() + body.size();
  return facts;
}

QSet<QString> CharactersOfEditions(const QStringList &editionFiles, const QString &password) {
  QSet<QString> characters;
  for (const QString &file : editionFiles) {
    QString error;
    const auto connection = SqlConnection::Open(file, password, SqlConnection::Mode::ReadOnly, &error);
    if (!connection) throw SourceError(file + QStringLiteral(": cannot be read (") + error + QLatin1Char(')'));
    ForEachIdiomInCodeOrder(*connection, [&characters](const QString &idiom, const QString &) {
      for (const uint code : idiom.toUcs4())
        if (QChar::script(code) == QChar::Script_Han)
          characters.insert(QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1));
    });
  }
  return characters;
}

}  // namespace velmora::editions
