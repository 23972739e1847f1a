#include "CedictSource.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <optional>

#include "JsonPosition.h"
#include "SourceError.h"
#include "dictionary/Pinyin.h"

namespace velmora::editions {

namespace {

const QString kIdiomTag = QStringLiteral("(idiom)");

void AddIdiom(std::vector<SourceEntry> &idioms, const QString &traditional, const QString &simplified,
              const QString &numbered, const QString &definitions, const WordList *words) {
  if (simplified.isEmpty()) return;
  // Many common idioms lack CC-CEDICT's tag (胡说八道, 首当其冲): the word
  // list's tag takes them in too.
  if (!definitions.contains(kIdiomTag) && !(words && words->IsIdiom(simplified))) return;
  SourceEntry entry;
  entry.traditional = traditional;
  entry.simplified = simplified;
  entry.spell = NumberedToToneMarks(numbered);
  entry.english = definitions;
  idioms.push_back(std::move(entry));
}

// all.js read as it is parsed, without a document in memory: its hundred
// thousand entries and more are each a list of strings, of which a few
// thousand are idioms. An entry under "all" is kept when its definitions
// (the fourth item: a text or a list of texts) mention the idiom tag. Values
// of other shapes read as they would from a whole document: an item that is
// no text as an empty text, and the last "all" of the module as the one
// that counts.
class CedictModuleReader final : public nlohmann::json_sax<nlohmann::json> {
 public:
  explicit CedictModuleReader(const WordList *words, const QSet<QString> *characters = nullptr)
      : words_(words), wanted_(characters) {}
  std::vector<SourceEntry> idioms;
  QHash<QString, std::vector<CharacterSense>> characters;
  bool foundList = false;
  // The byte at which the text stopped being JSON.
  std::optional<size_t> faultAt;

  bool null() override { return Scalar(); }
  bool boolean(bool) override { return Scalar(); }
  bool number_integer(number_integer_t) override { return Scalar(); }
  bool number_unsigned(number_unsigned_t) override { return Scalar(); }
  bool number_float(number_float_t, const string_t &) override { return Scalar(); }
  bool binary(binary_t &) override { return Scalar(); }
  bool string(string_t &value) override {
    const auto [role, index] = NextValue();
    if (role == Role::Field) fields_[index] = value;
    if (role == Role::Definitions || role == Role::DefinitionPart) AddDefinition(value);
    return true;
  }
  bool key(string_t &name) override {
    allNext_ = open_.size() == 1 && open_.back().role == Role::Module && name == "all";
    return true;
  }
  bool start_object(std::size_t) override { return Open(false); }
  bool start_array(std::size_t) override { return Open(true); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t at, const std::string &, const nlohmann::detail::exception &) override {
    faultAt = at;
    return false;
  }

 private:
  const QSet<QString> *wanted_ = nullptr;
  enum class Role { Ignored, Module, List, Row, Field, Definitions, DefinitionPart };
  struct Frame {
    Role role;
    int items = 0;
  };
  std::vector<Frame> open_;
  bool allNext_ = false;
  std::string fields_[3];  // traditional, simplified, reading
  std::vector<std::string> definitions_;
  bool tagged_ = false;
  const WordList *words_;

  // What the value that starts now is, and its place in its container.
  std::pair<Role, int> NextValue() {
    if (open_.empty()) return {Role::Module, 0};
    Frame &container = open_.back();
    const int index = container.items++;
    switch (container.role) {
      case Role::Module:
        if (!allNext_) return {Role::Ignored, index};
        allNext_ = false;
        idioms.clear();
        foundList = false;
        return {Role::List, index};
      case Role::List: return {Role::Row, index};
      case Role::Row: return {index < 3 ? Role::Field : index == 3 ? Role::Definitions : Role::Ignored, index};
      case Role::Definitions: return {Role::DefinitionPart, index};
      default: return {Role::Ignored, index};
    }
  }

  bool Scalar() {
    if (NextValue().first == Role::DefinitionPart) AddDefinition({});
    return true;
  }

  bool Open(bool array) {
    Role role = NextValue().first;
    if (role == Role::DefinitionPart) AddDefinition({});
    // Each role is a container of one kind; any other value is read past.
    const bool fits =
        role == Role::Module ? !array : (role == Role::List || role == Role::Row || role == Role::Definitions) && array;
    if (!fits) role = Role::Ignored;
    if (role == Role::List) foundList = true;
    if (role == Role::Row) StartRow();
    open_.push_back({role});
    return true;
  }

  bool Close() {
    const Frame closed = open_.back();
    open_.pop_back();
    if (closed.role == Role::Row) EndRow(closed.items);
    return true;
  }

  void AddDefinition(const std::string &text) {
    definitions_.push_back(text);
    tagged_ = tagged_ || text.find("(idiom)") != std::string::npos;
  }

  void StartRow() {
    for (std::string &field : fields_) field.clear();
    definitions_.clear();
    tagged_ = false;
  }

  void EndRow(int items) {
    if (items < 4) return;
    if (wanted_) return KeepCharacter();
    // Untagged, it is an idiom only when the word list says so.
    if (!tagged_ && !(words_ && words_->IsIdiom(QString::fromStdString(fields_[1])))) return;
    QStringList parts;
    for (const std::string &part : definitions_) parts << QString::fromStdString(part);
    AddIdiom(idioms, QString::fromStdString(fields_[0]), QString::fromStdString(fields_[1]),
             QString::fromStdString(fields_[2]), parts.join(QStringLiteral("; ")), words_);
  }

  // An entry of one character wanted, in either script: its reading and definitions.
  void KeepCharacter() {
    const QString traditional = QString::fromStdString(fields_[0]), simplified = QString::fromStdString(fields_[1]);
    QStringList parts;
    for (const std::string &part : definitions_) parts << QString::fromStdString(part);
    const CharacterSense sense{NumberedToToneMarks(QString::fromStdString(fields_[2])),
                               parts.join(QStringLiteral("; "))};
    for (const QString &character : {simplified, traditional})
      if (character.toUcs4().size() == 1 && wanted_->contains(character)) {
        characters[character].push_back(sense);
        if (traditional == simplified) break;
      }
  }
};

}  // namespace

bool IsCedictText(const QByteArray &content) {
  static const QRegularExpression entry(QStringLiteral(R"(^\S+ \S+ \[[^\]]*\] /)"));
  for (const QByteArray &line : content.left(64 * 1024).split('\n')) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith('#')) continue;
    return entry.match(QString::fromUtf8(trimmed)).hasMatch();
  }
  return false;
}

QString CedictTextDate(const QByteArray &content) {
  static const QRegularExpression header(QStringLiteral(R"(^#!\s*(date|version)=(\S+))"),
                                         QRegularExpression::MultilineOption);
  const auto match = header.match(QString::fromUtf8(content.left(4096)));
  return match.hasMatch() ? match.captured(2) : QString();
}

std::vector<SourceEntry> ReadCedictIdioms(const QByteArray &moduleText, const QString &fileName,
                                          const WordList *words) {
  const qsizetype brace = moduleText.indexOf('{');
  if (brace < 0)
    throw SourceError(fileName + QStringLiteral(": this is not CC-CEDICT data (neither all.js nor cedict_ts.u8)"));
  QByteArray body = moduleText.mid(brace);
  while (!body.isEmpty() && (std::isspace(static_cast<unsigned char>(body.back())) || body.back() == ';')) body.chop(1);
  CedictModuleReader reader(words);
  nlohmann::json::sax_parse(body.constBegin(), body.constEnd(), &reader);
  if (reader.faultAt) {
    const TextPosition at = PositionOf(moduleText, brace + static_cast<qsizetype>(*reader.faultAt) - 1);
    throw SourceError(fileName, at.line, at.column, QStringLiteral("the CC-CEDICT data is damaged here"));
  }
  if (!reader.foundList)
    throw SourceError(fileName + QStringLiteral(": this is not CC-CEDICT data (no list of entries)"));
  return std::move(reader.idioms);
}

QHash<QString, std::vector<CharacterSense>> ReadCedictCharacters(const QByteArray &moduleText,
                                                                 const QSet<QString> &wanted) {
  const qsizetype brace = moduleText.indexOf('{');
  if (brace < 0) return {};
  CedictModuleReader reader(nullptr, &wanted);
  nlohmann::json::sax_parse(moduleText.constBegin() + brace, moduleText.constEnd(), &reader);
  return std::move(reader.characters);
}

std::vector<SourceEntry> ReadCedictText(const QByteArray &text, const QString &fileName, const WordList *words) {
  static const QRegularExpression entry(QStringLiteral(R"(^(\S+) (\S+) \[([^\]]*)\] /(.*)/\s*$)"));
  std::vector<SourceEntry> idioms;
  long long number = 0;
  for (const QByteArray &raw : text.split('\n')) {
    ++number;
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const auto match = entry.match(line);
    if (!match.hasMatch())
      throw SourceError(
          fileName, number, 0,
          QStringLiteral("this line is not a CC-CEDICT entry (traditional simplified [pin1 yin1] /definition/)"));
    AddIdiom(idioms, match.captured(1), match.captured(2), match.captured(3),
             match.captured(4).split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QStringLiteral("; ")), words);
  }
  return idioms;
}

}  // namespace velmora::editions
