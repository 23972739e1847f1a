#include "CharacterStrokes.h"

#include <zlib.h>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <algorithm>

namespace velmora {

namespace {

constexpr qsizetype kMagicSize = sizeof(StrokeFile::kMagic) - 1;
// A record larger than this is no character's: the largest is about 12 KB
// packed, 40 KB unpacked; a dictionary larger than zlib's window is no use.
constexpr uint32_t kLargestRecord = 1 << 20, kLargestDictionary = 32 * 1024;
// More than Unicode's CJK ideographs with all their extensions: an index
// that claims more is damaged, and is not read whole.
constexpr uint32_t kMostCharacters = 128 * 1024;

// SVG path data only: commands, numbers and their separators. Anything else
// (a quote, an angle bracket) would be markup when the path is drawn.
bool IsPathData(const QString &path) {
  static const QByteArray allowed = "MmLlHhVvCcSsQqTtAaZz0123456789.,-+eE \t\n\r";
  return std::all_of(path.cbegin(), path.cend(),
                     [](QChar c) { return c.unicode() < 128 && allowed.contains(static_cast<char>(c.unicode())); });
}

uint32_t Read32(QFile &file, bool *ok) {
  const QByteArray bytes = file.read(4);
  *ok = *ok && bytes.size() == 4;
  return *ok ? qFromLittleEndian<uint32_t>(bytes.constData()) : 0;
}

// Nothing when the record is not one a character can have.
std::optional<CharacterStrokes> FromJson(const QJsonObject &object) {
  CharacterStrokes strokes;
  const QJsonArray paths = object.value(QLatin1String("s")).toArray();
  const QJsonArray medians = object.value(QLatin1String("m")).toArray();
  if (paths.size() > CharacterStrokes::kMostStrokes || medians.size() > CharacterStrokes::kMostStrokes)
    return std::nullopt;
  for (const QJsonValue &path : paths) {
    if (!IsPathData(path.toString())) return std::nullopt;
    strokes.strokes << path.toString();
  }
  for (const QJsonValue &median : medians) {
    // "x y x y …"
    const QStringList numbers = median.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<QPointF> points;
    for (qsizetype i = 0; i + 1 < numbers.size(); i += 2)
      points.emplace_back(numbers[i].toDouble(), numbers[i + 1].toDouble());
    strokes.medians.push_back(std::move(points));
  }
  for (const QJsonValue &sense : object.value(QLatin1String("r")).toArray())
    strokes.senses.push_back({sense.toArray().at(0).toString(), sense.toArray().at(1).toString()});
  // A median for every stroke, or the strokes are drawn whole.
  if (strokes.medians.size() != static_cast<size_t>(strokes.strokes.size())) strokes.medians.clear();
  return strokes;
}

}  // namespace

std::unique_ptr<StrokeFile> StrokeFile::Open(const QString &path) {
  // A pipe or a device would block the window's thread on its first read.
  const QString target = QFileInfo(path).canonicalFilePath();
  if (target.isEmpty() || !QFileInfo(target).isFile()) return nullptr;
  auto file = std::unique_ptr<StrokeFile>(new StrokeFile);
  file->file_.setFileName(target);
  if (!file->file_.open(QIODevice::ReadOnly) || file->file_.read(kMagicSize) != QByteArray(kMagic)) return nullptr;
  bool ok = true;
  const uint32_t dictionary = Read32(file->file_, &ok);
  if (!ok || dictionary > kLargestDictionary) return nullptr;
  file->dictionary_ = file->file_.read(dictionary);
  const uint32_t characters = Read32(file->file_, &ok);
  const qint64 indexBytes = static_cast<qint64>(characters) * 12;
  if (!ok || file->dictionary_.size() != static_cast<qsizetype>(dictionary) || characters > kMostCharacters ||
      indexBytes > file->file_.size())
    return nullptr;
  const QByteArray index = file->file_.read(indexBytes);
  if (index.size() != indexBytes) return nullptr;
  file->index_.resize(characters);
  for (uint32_t i = 0; i < characters; ++i) {
    const char *at = index.constData() + static_cast<qsizetype>(i) * 12;
    file->index_[i] = {qFromLittleEndian<uint32_t>(at), qFromLittleEndian<uint32_t>(at + 4),
                       qFromLittleEndian<uint32_t>(at + 8)};
  }
  return file;
}

QByteArray DeflateWith(const QByteArray &data, const QByteArray &dictionary) {
  z_stream stream{};
  if (deflateInit(&stream, Z_BEST_COMPRESSION) != Z_OK) return {};
  deflateSetDictionary(&stream, reinterpret_cast<const Bytef *>(dictionary.constData()),
                       static_cast<uInt>(dictionary.size()));
  QByteArray packed(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size()))), '\0');
  stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef *>(packed.data());
  stream.avail_out = static_cast<uInt>(packed.size());
  const int result = deflate(&stream, Z_FINISH);
  packed.resize(static_cast<qsizetype>(stream.total_out));
  deflateEnd(&stream);
  return result == Z_STREAM_END ? packed : QByteArray();
}

QByteArray InflateWith(const QByteArray &packed, const QByteArray &dictionary, qsizetype most) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return {};
  QByteArray data(most, '\0');
  stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.constData()));
  stream.avail_in = static_cast<uInt>(packed.size());
  stream.next_out = reinterpret_cast<Bytef *>(data.data());
  stream.avail_out = static_cast<uInt>(data.size());
  int result = inflate(&stream, Z_FINISH);
  if (result == Z_NEED_DICT) {
    inflateSetDictionary(&stream, reinterpret_cast<const Bytef *>(dictionary.constData()),
                         static_cast<uInt>(dictionary.size()));
    result = inflate(&stream, Z_FINISH);
  }
  data.resize(static_cast<qsizetype>(stream.total_out));
  inflateEnd(&stream);
  return result == Z_STREAM_END ? data : QByteArray();
}

std::optional<CharacterStrokes> StrokeFile::Find(const QString &character) {
  const QList<uint> codePoints = character.toUcs4();
  if (codePoints.size() != 1) return std::nullopt;
  const auto found = std::lower_bound(index_.begin(), index_.end(), codePoints.front(),
                                      [](const Entry &entry, uint32_t code) { return entry.codePoint < code; });
  if (found == index_.end() || found->codePoint != codePoints.front() || found->length > kLargestRecord)
    return std::nullopt;
  if (!file_.seek(found->offset)) return std::nullopt;
  const QByteArray packed = file_.read(found->length);
  if (packed.size() != static_cast<qsizetype>(found->length)) return std::nullopt;
  const QJsonDocument document = QJsonDocument::fromJson(InflateWith(packed, dictionary_, kLargestRecord));
  if (!document.isObject()) return std::nullopt;
  return FromJson(document.object());
}

}  // namespace velmora
