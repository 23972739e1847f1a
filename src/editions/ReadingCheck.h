#pragma once
// A second opinion on readings: the whole-word readings of the npm package
// @pinyin-pro/data (json/complete.json: word -> [reading, frequency]; ISC),
// read by the builder only. Where an idiom's reading differs from it, after
// what is only a way of writing (commas, ü/v, neutral tones, the tone
// changes of 一 and 不), the idiom keeps its own reading and carries the other
// beside it: neither source is reliably right, so nothing is corrected.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

#include "SourceEntry.h"

namespace velmora::editions {

class ReadingList {
 public:
  // Words of four characters or more; throws SourceError for a file that is
  // not such a list.
  static ReadingList Parse(const QByteArray &json, const QString &fileName = {});
  std::optional<QString> ReadingOf(const QString &word) const;
  qsizetype size() const { return readings_.size(); }

 private:
  QHash<QString, QString> readings_;
};

// True when the two readings of the idiom say the same, as above.
bool SameReading(const QString &idiom, const QString &a, const QString &b);

// The reading with 一 and 不 in their citation tones (yī, bù), as the
// editions write them: a tone change before another syllable is no
// difference a learner should see.
QString InCitationTones(const QString &idiom, const QString &reading);
// True when the other reading says what one of the spelling's ("a; b") does.
bool AmongOwnReadings(const QString &idiom, const QString &spell, const QString &other);

struct ReadingDifference {
  QString idiom, own, other;
};
// Gives each entry whose reading the list reads otherwise the list's
// reading as its other reading, and lists them.
// Those the list does not hold are counted in *unknown.
std::vector<ReadingDifference> CheckReadings(std::vector<SourceEntry> *entries, const ReadingList &list,
                                             int *unknown = nullptr);

}  // namespace velmora::editions
