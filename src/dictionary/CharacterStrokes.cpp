#include "CharacterStrokes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <algorithm>

namespace velmora {

namespace {

constexpr qsizetype kMagicSize = sizeof(StrokeFile::kMagic) - 1;
// A record larger than this is no character's: the largest is about 12 KB packed.
constexpr uint32_t kLargestRecord = 1 << 20;

CharacterStrokes FromJson(const QJsonObject &object) {
  CharacterStrokes strokes;
  for (const QJsonValue &path : object.value(QLatin1String("s")).toArray()) strokes.strokes << path.toString();
  for (const QJsonValue &median : object.value(QLatin1String("m")).toArray()) {
    // "x y x y …"
    const QStringList numbers = median.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<QPointF> points;
    for (qsizetype i = 0; i + 1 < numbers.size(); i += 2) points.emplace_back(numbers[i].toDouble(), numbers[i + 1].toDouble());
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
  auto file = std::unique_ptr<StrokeFile>(new StrokeFile);
  file->file_.setFileName(path);
  if (!file->file_.open(QIODevice::ReadOnly) || file->file_.read(kMagicSize) != QByteArray(kMagic)) return nullptr;
  const QByteArray count = file->file_.read(4);
  if (count.size() != 4) return nullptr;
  const uint32_t characters = qFromLittleEndian<uint32_t>(count.constData());
  const qint64 indexBytes = static_cast<qint64>(characters) * 12;
  if (indexBytes > file->file_.size()) return nullptr;
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
  const QJsonDocument document = QJsonDocument::fromJson(qUncompress(packed));
  if (!document.isObject()) return std::nullopt;
  return FromJson(document.object());
}

}  // namespace velmora
