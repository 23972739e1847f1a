#include "ReadingCheck.h"

#include <QRegularExpression>
#include <nlohmann/json.hpp>

#include "SourceError.h"
#include "WordList.h"
#include "dictionary/Pinyin.h"

namespace velmora::editions {

namespace {

// Reads the object's entries as they are parsed: the whole list is 19 MB,
// of which the words of four characters or more are wanted.
class ReadingReader final : public nlohmann::json_sax<nlohmann::json> {
 public:
  QHash<QString, QString> readings;
  bool fault = false;

  bool key(string_t &name) override {
    // Most words are shorter than an idiom: those are not even converted.
    if (depth_ == 1) word_ = Utf8Characters(name) >= 4 ? QString::fromStdString(name) : QString();
    return true;
  }
  bool string(string_t &value) override {
    // The first item of a word's list is its reading.
    if (depth_ == 2 && item_++ == 0 && !word_.isEmpty()) readings.insert(word_, QString::fromStdString(value));
    return true;
  }
  bool start_array(std::size_t) override {
    ++depth_;
    item_ = 0;
    return true;
  }
  bool end_array() override {
    --depth_;
    return true;
  }
  bool start_object(std::size_t) override {
    ++depth_;
    return true;
  }
  bool end_object() override {
    --depth_;
    return true;
  }
  bool null() override { return Item(); }
  bool boolean(bool) override { return Item(); }
  bool number_integer(number_integer_t) override { return Item(); }
  bool number_unsigned(number_unsigned_t) override { return Item(); }
  bool number_float(number_float_t, const string_t &) override { return Item(); }
  bool binary(binary_t &) override { return Item(); }
  bool parse_error(std::size_t, const std::string &, const nlohmann::detail::exception &) override {
    fault = true;
    return false;
  }

 private:
  bool Item() {
    if (depth_ == 2) ++item_;
    return true;
  }
  int depth_ = 0;
  int item_ = 0;
  QString word_;
};

// The syllables of a reading, commas and other marks left out.
// The syllables, erhua aside: "wán r", "wánr" and "wán er" are one reading.
QStringList Syllables(const QString &reading) {
  static const QRegularExpression between(QStringLiteral("[\\s,，·'’-]+"));
  QStringList syllables;
  for (QString syllable : reading.toLower().split(between, Qt::SkipEmptyParts)) {
    if (syllable == u"r" || syllable == u"er" || syllable == u"er5") continue;
    if (syllable.size() > 2 && syllable.endsWith(u'r') && !syllable.endsWith(QStringLiteral("er"))) syllable.chop(1);
    syllables << syllable;
  }
  return syllables;
}

}  // namespace

ReadingList ReadingList::Parse(const QByteArray &json, const QString &fileName) {
  ReadingReader reader;
  nlohmann::json::sax_parse(json.constBegin(), json.constEnd(), &reader);
  if (reader.fault || reader.readings.isEmpty())
    throw SourceError(fileName + QStringLiteral(": this is not a list of readings (word: [reading, frequency])"));
  ReadingList list;
  list.readings_ = std::move(reader.readings);
  return list;
}

std::optional<QString> ReadingList::ReadingOf(const QString &word) const {
  const auto found = readings_.constFind(word);
  return found == readings_.constEnd() ? std::nullopt : std::optional<QString>(*found);
}

bool SameReading(const QString &idiom, const QString &a, const QString &b) {
  // Most readings are written alike: those need no syllables.
  if (a.compare(b, Qt::CaseInsensitive) == 0) return true;
  const QStringList mine = Syllables(a), theirs = Syllables(b);
  if (mine.size() != theirs.size()) return false;
  for (qsizetype i = 0; i < mine.size(); ++i) {
    // ü and v alike.
    if (SearchFold(WithoutTones(mine[i])) != SearchFold(WithoutTones(theirs[i]))) return false;
    const int one = SyllableTone(mine[i]), other = SyllableTone(theirs[i]);
    // 一 and 不 change their tone before another; a neutral tone is
    // often written with the word's own.
    const QChar character = mine.size() == idiom.size() ? idiom[i] : QChar();
    if (character == u'一' || character == u'不' || one == 5 || other == 5) continue;
    if (one != other) return false;
  }
  return true;
}

QString InCitationTones(const QString &idiom, const QString &reading) {
  QStringList syllables = reading.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (syllables.size() != idiom.size()) return reading;
  for (qsizetype i = 0; i < syllables.size(); ++i) {
    if (idiom[i] == u'一') syllables[i] = WithTone(syllables[i], 1);
    if (idiom[i] == u'不') syllables[i] = WithTone(syllables[i], 4);
  }
  return syllables.join(QLatin1Char(' '));
}

bool AmongOwnReadings(const QString &idiom, const QString &spell, const QString &other) {
  for (const QString &own : spell.split(QStringLiteral("; ")))
    if (SameReading(idiom, own, other)) return true;
  return false;
}

std::vector<ReadingDifference> CheckReadings(std::vector<SourceEntry> *entries, const ReadingList &list, int *unknown) {
  std::vector<ReadingDifference> differences;
  for (SourceEntry &entry : *entries) {
    const auto other = list.ReadingOf(entry.simplified);
    if (!other && unknown) ++*unknown;
    if (!other || entry.spell.isEmpty()) continue;
    // A reading among the entry's own ("a; b") is no difference.
    if (AmongOwnReadings(entry.simplified, entry.spell, *other)) continue;
    entry.otherReading = InCitationTones(entry.simplified, *other);
    differences.push_back({entry.simplified, entry.spell, *other});
  }
  return differences;
}

}  // namespace velmora::editions
