#include "IdiomJsonSource.h"

#include <QRegularExpression>
#include <algorithm>
#include <nlohmann/json.hpp>
#include "JsonPosition.h"
#include "ReadingWritings.h"
#include "SourceError.h"
#include "dictionary/Pinyin.h"

namespace velmora::editions {

namespace {

// The text under the first of the names the object has: the data sets name
// their fields in English or in Chinese.
std::optional<QString> Field(const nlohmann::json &object, std::initializer_list<const char *> names) {
  for (const char *name : names) {
    const auto found = object.find(name);
    if (found == object.end() || !found->is_string()) continue;
    const QString text = QString::fromStdString(found->get<std::string>()).trimmed();
    if (text.isEmpty() || text == QStringLiteral("无")) return std::nullopt;
    return text;
  }
  return std::nullopt;
}

// A reading as the editions write it: tone numbers made tone marks, and
// apostrophes and hyphens, which only part syllables, made blanks.
QString OneReading(const QString &given) {
  static const QRegularExpression parts(QStringLiteral("['’\\-]+")), toneNumber(QStringLiteral("[a-zA-ZüÜ:][1-5]"));
  QString reading = QString(given).replace(parts, QStringLiteral(" ")).simplified();
  if (reading.contains(toneNumber)) reading = NumberedToToneMarks(reading);
  return reading;
}

// The readings of a field ("a; b"), each written once.
QString Reading(const QString &given) {
  QString readings;
  for (const QString &each : QString(given).replace(u'；', u';').split(QLatin1Char(';')))
    readings = JoinReadings(readings, OneReading(each));
  return readings;
}

// A list of idioms: an array (each item whole), or one text split at the
// separator it uses, the first of "、", "；", ";" and "，" or "," it holds,
// else at blanks. A comma inside an idiom of a list separated otherwise
// stays in it.
QStringList IdiomList(const nlohmann::json &object, std::initializer_list<const char *> names) {
  QStringList idioms;
  const auto keep = [&idioms](const QString &idiom) {
    const QString trimmed = idiom.trimmed();
    if (!trimmed.isEmpty() && trimmed != QStringLiteral("无") && !idioms.contains(trimmed)) idioms << trimmed;
  };
  const auto split = [&keep](const QString &text) {
    for (const char *separator : {"、", "；", ";"})
      if (text.contains(QString::fromUtf8(separator))) {
        for (const QString &part : text.split(QString::fromUtf8(separator))) keep(part);
        return;
      }
    static const QRegularExpression commas(QStringLiteral("[，,]")), blanks(QStringLiteral("\\s+"));
    for (const QString &part : text.split(text.contains(commas) ? commas : blanks)) keep(part);
  };
  for (const char *name : names) {
    const auto found = object.find(name);
    if (found == object.end()) continue;
    if (found->is_string()) split(QString::fromStdString(found->get<std::string>()));
    if (found->is_array())
      for (const auto &item : *found)
        if (item.is_string()) keep(QString::fromStdString(item.get<std::string>()));
  }
  return idioms;
}

// Characters no idiom or reading holds: a NUL would cut the text short
// where it is stored, and the others are not text a reader sees.
bool HasControlCharacters(const QString &text) {
  return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// Far more than the readings of any idiom: a syllable is at most six letters
// and a blank, and an entry may give a few readings.
bool ReadingFarTooLong(const QString &given, const QString &idiom) { return given.size() > 32 * idiom.size() + 64; }

// The syllables of the first reading against the idiom's characters, leaving
// out its punctuation (前怕狼，后怕虎).
bool SyllablesDiffer(const QString &reading, const QString &idiom) {
  const QString first = reading.section(QLatin1Char(';'), 0, 0);
  const auto syllables = first.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
  const auto characters = std::count_if(idiom.cbegin(), idiom.cend(), [](QChar c) { return c.isLetter(); });
  return syllables != characters;
}

// A letter followed by a digit that is no tone: hua6, zu0.
bool HasOddToneDigits(const QString &given) {
  for (qsizetype i = 1; i < given.size(); ++i) {
    const QChar c = given[i];
    if ((c == u'0' || (c >= u'6' && c <= u'9')) && given[i - 1].isLetter()) return true;
  }
  return false;
}

// One entry of a document, walked in place: the object, and the key it is
// filed under when the document is an object of entries keyed by the idiom.
struct EntryRef {
  const nlohmann::json *object;
  const std::string *key = nullptr;
};

// The entries of a document: a list of objects, an object holding one such
// list (under any name), or an object of objects keyed by the idiom. Nothing
// is copied: a document may be large.
std::vector<EntryRef> EntriesOf(const nlohmann::json &document) {
  std::vector<EntryRef> entries;
  const auto all = [&entries](const nlohmann::json &list) {
    entries.reserve(list.size());
    for (const auto &item : list) entries.push_back({&item});
  };
  if (document.is_array()) {
    all(document);
    return entries;
  }
  if (!document.is_object()) return entries;
  for (const auto &[key, value] : document.items())
    if (value.is_array() && !value.empty() && value.front().is_object()) {
      all(value);
      return entries;
    }
  for (auto each = document.begin(); each != document.end(); ++each)
    if (each->is_object()) entries.push_back({&*each, &each.key()});
  return entries;
}

// Builds the document as nlohmann's own parser does, and keeps where a
// fault lies: the library reports a number too large for a double as an
// out_of_range without the byte it stands at.
class PositionedDomParser {
 public:
  explicit PositionedDomParser(nlohmann::json &document) : dom_(document, false) {}

  bool null() { return dom_.null(); }
  bool boolean(bool value) { return dom_.boolean(value); }
  bool number_integer(nlohmann::json::number_integer_t value) { return dom_.number_integer(value); }
  bool number_unsigned(nlohmann::json::number_unsigned_t value) { return dom_.number_unsigned(value); }
  bool number_float(nlohmann::json::number_float_t value, const std::string &text) {
    return dom_.number_float(value, text);
  }
  bool string(std::string &value) { return dom_.string(value); }
  bool binary(nlohmann::json::binary_t &value) { return dom_.binary(value); }
  bool start_object(std::size_t size) { return dom_.start_object(size); }
  bool key(std::string &value) { return dom_.key(value); }
  bool end_object() { return dom_.end_object(); }
  bool start_array(std::size_t size) { return dom_.start_array(size); }
  bool end_array() { return dom_.end_array(); }
  bool parse_error(std::size_t byte, const std::string &token, const nlohmann::detail::exception &error) {
    faultByte_ = byte;
    tokenBytes_ = token.size();
    numberTooLarge_ = error.id == 406;
    return false;
  }

  // Counted from 1, past the token at fault.
  std::size_t faultByte() const { return faultByte_; }
  std::size_t tokenBytes() const { return tokenBytes_; }
  bool numberTooLarge() const { return numberTooLarge_; }

 private:
  nlohmann::detail::json_sax_dom_parser<nlohmann::json> dom_;
  std::size_t faultByte_ = 0, tokenBytes_ = 0;
  bool numberTooLarge_ = false;
};

// The document, or the SourceError that says where and why it is none; the
// nesting is checked before.
nlohmann::json ParseDocument(const QByteArray &json, const QString &fileName) {
  nlohmann::json document;
  PositionedDomParser parser(document);
  if (nlohmann::json::sax_parse(json.constBegin(), json.constEnd(), &parser)) return document;
  if (parser.numberTooLarge()) {
    const TextPosition number = PositionOf(json, static_cast<qsizetype>(parser.faultByte() - parser.tokenBytes()));
    throw SourceError(fileName, number.line, number.column, QStringLiteral("this number is too large"));
  }
  // The byte is counted from 1 and points past the fault at the end.
  const TextPosition at = PositionOf(json, static_cast<qsizetype>(parser.faultByte()) - 1);
  throw SourceError(fileName, at.line, at.column,
                    parser.faultByte() > static_cast<size_t>(json.size())
                        ? QStringLiteral("the JSON ends too early")
                        : QStringLiteral("this is not valid JSON here"));
}

// JSON Lines: an object on each line. Nothing when a line is not one.
std::optional<nlohmann::json> JsonLines(const QByteArray &text) {
  nlohmann::json list = nlohmann::json::array();
  for (const QByteArray &line : text.split('\n')) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty()) continue;
    nlohmann::json object = nlohmann::json::parse(trimmed.constBegin(), trimmed.constEnd(), nullptr, false);
    if (!object.is_object()) return std::nullopt;
    list.push_back(std::move(object));
  }
  return list.empty() ? std::nullopt : std::optional<nlohmann::json>(std::move(list));
}

}  // namespace

std::optional<qsizetype> FirstTooDeep(const QByteArray &json, int most) {
  int depth = 0;
  bool inString = false, escaped = false;
  for (qsizetype i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (inString) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > most) return i;
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return std::nullopt;
}

std::vector<SourceEntry> ReadIdiomJson(const QByteArray &json, const QString &fileName, SkippedEntries *skipped) {
  // Refused before anything is built, JSON Lines too: building and walking
  // a deep document take stack.
  if (const auto deep = FirstTooDeep(json, kMostJsonNesting)) {
    const TextPosition at = PositionOf(json, *deep);
    throw SourceError(fileName, at.line, at.column,
                      QStringLiteral("the JSON nests deeper than %1 levels here").arg(kMostJsonNesting));
  }
  nlohmann::json document;
  try {
    document = ParseDocument(json, fileName);
  } catch (const SourceError &) {
    if (auto lines = JsonLines(json)) return ReadIdiomJsonDocument(*lines, fileName, skipped);
    throw;
  }
  return ReadIdiomJsonDocument(document, fileName, skipped);
}

std::vector<SourceEntry> ReadIdiomJsonDocument(const nlohmann::json &document, const QString &fileName,
                                               SkippedEntries *skipped) {
  SkippedEntries left;
  const std::vector<EntryRef> objects = EntriesOf(document);
  // An empty list is a list (of no idioms); anything else without entries is no list.
  if (objects.empty() && !document.is_array())
    throw SourceError(fileName +
                      QStringLiteral(": expected a list of idioms ([{\"word\": ..., \"pinyin\": ...}, ...])"));
  std::vector<SourceEntry> idioms;
  for (const auto &[entry, key] : objects) {
    if (!entry->is_object()) {
      ++left.notAnEntry;
      continue;
    }
    const nlohmann::json &object = *entry;
    auto word = Field(object, {"word", "成语", "词语"});
    // Keyed by the idiom: the key names it unless the entry does.
    if (!word && key && !object.contains("word") && !object.contains("成语") && !object.contains("词语")) {
      const QString named = QString::fromStdString(*key).trimmed();
      if (!named.isEmpty() && named != QStringLiteral("无")) word = named;
    }
    if (!word) {
      ++left.withoutIdiom;
      continue;
    }
    const QString given = Field(object, {"pinyin", "拼音"}).value_or(QString());
    if (HasControlCharacters(*word) || HasControlCharacters(given) || ReadingFarTooLong(given, *word)) {
      ++left.unreadable;
      continue;
    }
    SourceEntry idiom;
    idiom.simplified = *word;
    idiom.spell = Reading(given);
    if (idiom.spell.isEmpty()) {
      ++left.withoutReading;
      continue;
    }
    left.syllablesDiffer += SyllablesDiffer(idiom.spell, idiom.simplified);
    left.oddToneDigits += HasOddToneDigits(given);
    idiom.note = Field(object, {"explanation", "解释", "释义"});
    idiom.source = Field(object, {"derivation", "出处"});
    idiom.example = Field(object, {"example", "例子", "例句"});
    idiom.synonyms = IdiomList(object, {"synonyms", "近义词"});
    idiom.antonyms = IdiomList(object, {"antonyms", "反义词"});
    idioms.push_back(std::move(idiom));
  }
  if (skipped) *skipped = left;
  return idioms;
}

}  // namespace velmora::editions
