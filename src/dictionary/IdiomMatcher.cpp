#include "IdiomMatcher.h"

#include <QRegularExpression>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>

#include "PinyinKey.h"

namespace velmora {

namespace {

using Kind = IdiomMatcher::Kind;

bool HasHan(const QString &text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char32_t c = text[i].isHighSurrogate() && i + 1 < text.size() ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                                                        : text[i].unicode();
    if (QChar::script(c) == QChar::Script_Han) return true;
  }
  return false;
}

// How many units of text a pattern needs at least: all but its stars.
template <class Char>
size_t UnitsNeeded(std::basic_string_view<Char> pattern) {
  return pattern.size() - static_cast<size_t>(std::count(pattern.begin(), pattern.end(), Char('*')));
}

// "*" any run, "?" one unit, everything else itself; the whole text must
// match. needed is UnitsNeeded(pattern): a text shorter fails at once, so
// that a long pattern costs little per row.
template <class Char>
bool Glob(std::basic_string_view<Char> pattern, std::basic_string_view<Char> text, size_t needed) {
  if (text.size() < needed) return false;
  size_t p = 0, t = 0, star = std::basic_string_view<Char>::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == Char('?') || pattern[p] == text[t])) {
      ++p, ++t;
    } else if (p < pattern.size() && pattern[p] == Char('*')) {
      star = p++;
      resume = t;
    } else if (star != std::basic_string_view<Char>::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == Char('*')) ++p;
  return p == pattern.size();
}

// Each '|'-separated part of the parts; none when there are no parts.
template <class Test>
bool AnyPart(std::string_view parts, Test test) {
  if (parts.empty()) return false;
  size_t at = 0;
  while (at <= parts.size()) {
    size_t end = parts.find('|', at);
    if (end == std::string_view::npos) end = parts.size();
    if (test(parts.substr(at, end - at))) return true;
    at = end + 1;
  }
  return false;
}

// The letters of a compact reading, without its tones and blanks. The
// matcher keeps neither these nor the syllables' first letters: two more
// copies of every reading (megabytes at 200,000 idioms) for what only some
// keys read.
void TonelessLetters(std::string_view reading, std::string *into) {
  into->clear();
  for (const char c : reading)
    if (c >= 'a' && c <= 'z') *into += c;
}

// Whether the first letters of the reading's syllables begin with these.
bool InitialsBeginWith(std::string_view reading, std::string_view letters) {
  size_t matched = 0;
  bool start = true;
  for (const char c : reading) {
    if (matched == letters.size()) return true;
    if (c == ' ') {
      start = true;
    } else if (c >= 'a' && c <= 'z') {
      if (start && c != letters[matched++]) return false;
      start = false;
    }
  }
  return matched == letters.size();
}

// A bit for each letter a to z the text holds.
uint32_t LetterMask(std::string_view text) {
  uint32_t mask = 0;
  for (const char c : text)
    if (c >= 'a' && c <= 'z') mask |= 1u << (c - 'a');
  return mask;
}

// The longest run of a pattern's own characters, between its "*" and "?":
// a text the pattern matches holds it.
std::u16string_view LongestLiteral(std::u16string_view pattern) {
  std::u16string_view longest;
  for (size_t at = 0; at < pattern.size();) {
    const size_t end = std::min(pattern.find_first_of(u"*?", at), pattern.size());
    if (end - at > longest.size()) longest = pattern.substr(at, end - at);
    at = end + 1;
  }
  return longest;
}

// The next place of the key in the text from `from`: its first unit looked
// for sixteen at a time (a loop the compiler turns into vector compares),
// the rest compared where it stands.
size_t NextPlace(std::u16string_view text, std::u16string_view key, size_t from) {
  if (key.empty() || text.size() < key.size()) return std::u16string_view::npos;
  const char16_t first = key.front();
  const char16_t *const begin = text.data(), *const last = begin + (text.size() - key.size() + 1);
  for (const char16_t *p = begin + from; p < last;) {
    while (last - p >= 16) {
      bool any = false;
      for (int i = 0; i < 16; ++i) any |= p[i] == first;
      if (any) break;
      p += 16;
    }
    for (const char16_t *stop = std::min(p + 16, last); p < stop; ++p)
      if (*p == first && std::u16string_view(p, key.size()) == key) return static_cast<size_t>(p - begin);
  }
  return std::u16string_view::npos;
}

// Below this many rows a key is scanned on one thread: handing half to
// another costs more than it saves.
constexpr size_t kRowsForTwoThreads = 20000;

}  // namespace

// What Find works out from the key once, for every row.
struct IdiomMatcher::Query {
  std::u16string text;
  bool wildcard = false, otherScript = false, latinPattern = false;
  bool initialsKey = false, insideKey = false;
  std::optional<PinyinKey> pinyin;
  std::string letters;  // of a wildcard key, for the toneless pinyin
  size_t textUnits = 0, letterUnits = 0;
  uint32_t pinyinMask = 0, patternMask = 0;
};

QString IdiomMatcher::Normalized(const QString &key) {
  return key.normalized(QString::NormalizationForm_KC).trimmed().toCaseFolded();
}

void IdiomMatcher::KeepWritten(WrittenForms *forms, size_t row, const QString &written, std::u16string_view compared) {
  if (std::u16string_view(reinterpret_cast<const char16_t *>(written.utf16()), static_cast<size_t>(written.size())) !=
      compared)
    forms->emplace_back(static_cast<uint32_t>(row), written.toStdU16String());
}

const std::u16string *IdiomMatcher::WrittenAt(const WrittenForms &forms, size_t row) {
  const auto at = std::lower_bound(forms.begin(), forms.end(), row,
                                   [](const auto &form, size_t wanted) { return form.first < wanted; });
  return at != forms.end() && at->first == row ? &at->second : nullptr;
}

void IdiomMatcher::Build(const QStringList &idioms, const QStringList &spells) {
  idioms_ = {};
  readings_ = {};
  letterMasks_.clear();
  writtenIdioms_.clear();
  for (qsizetype row = 0; row < idioms.size(); ++row) Add(idioms[row], spells.value(row));
}

void IdiomMatcher::Reserve(size_t rows) {
  // Twice what an idiom and its reading take, on average.
  idioms_.Reserve(rows, 12);
  readings_.Reserve(rows, 48);
  otherScript_.Reserve(rows, 12);
  letterMasks_.reserve(rows);
}

void IdiomMatcher::Add(const QString &idiom, const QString &spell) {
  const std::u16string compared = Normalized(idiom).toStdU16String();
  KeepWritten(&writtenIdioms_, idioms_.Rows(), idiom, compared);
  idioms_.Add(compared);
  std::string readings;
  for (const QString &reading : spell.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
    const std::string compact = CompactReading(reading);
    if (compact.empty()) continue;
    if (!readings.empty()) readings += '|';
    readings += compact;
  }
  readings_.Add(readings);
  letterMasks_.push_back(LetterMask(readings));
}

void IdiomMatcher::SetOtherScript(const QByteArray &lines) {
  otherScript_ = {};
  writtenOthers_.clear();
  for (qsizetype at = 0; at <= lines.size();) {
    qsizetype end = lines.indexOf('\n', at);
    if (end < 0) end = lines.size();
    AddOtherScriptLine(QByteArrayView(lines.constData() + at, end - at));
    at = end + 1;
  }
  EndOtherScript(true);
}

void IdiomMatcher::AddOtherScriptLine(QByteArrayView line) {
  const size_t row = otherScript_.Rows();
  if (row >= static_cast<size_t>(size())) return;
  const QString written = QString::fromUtf8(line);
  const std::u16string other = Normalized(written).toStdU16String();
  KeepWritten(&writtenOthers_, row, written, other);
  otherScript_.Add(other == idioms_.At(row) ? std::u16string() : other);
}

void IdiomMatcher::EndOtherScript(bool complete) {
  if (!complete) {
    otherScript_ = {};
    writtenOthers_.clear();
    return;
  }
  while (otherScript_.Rows() < idioms_.Rows()) otherScript_.Add(std::u16string());
}

QString IdiomMatcher::SearchKey(const QString &key) {
  // "**" finds what "*" finds; a run of them would only cost time per row.
  static const QRegularExpression stars(QStringLiteral("[*\uFF0A]{2,}"));
  QString collapsed = key;
  collapsed.replace(stars, QStringLiteral("*"));
  return Normalized(collapsed.left(kLongestKey * 2)).left(kLongestKey);
}

QString IdiomMatcher::IdiomAt(int row) const {
  if (row < 0 || row >= size()) return {};
  if (const std::u16string *written = WrittenAt(writtenIdioms_, static_cast<size_t>(row)))
    return QString::fromStdU16String(*written);
  return ComparedIdiomAt(row);
}

QString IdiomMatcher::ComparedIdiomAt(int row) const {
  if (row < 0 || row >= size()) return {};
  const std::u16string_view idiom = idioms_.At(static_cast<size_t>(row));
  return QString::fromUtf16(idiom.data(), static_cast<qsizetype>(idiom.size()));
}

QString IdiomMatcher::ReadingAt(int row) const {
  if (row < 0 || row >= size()) return {};
  const std::string_view readings = readings_.At(static_cast<size_t>(row));
  return QString::fromLatin1(readings.substr(0, readings.find('|')));
}

QString IdiomMatcher::OtherScriptAt(int row) const {
  if (row < 0 || row >= size() || otherScript_.Rows() != idioms_.Rows()) return {};
  if (const std::u16string *written = WrittenAt(writtenOthers_, static_cast<size_t>(row)))
    return QString::fromStdU16String(*written);
  return otherScript_.At(static_cast<size_t>(row)).empty() ? IdiomAt(row) : ComparedOtherScriptAt(row);
}

QString IdiomMatcher::ComparedOtherScriptAt(int row) const {
  if (row < 0 || row >= size() || otherScript_.Rows() != idioms_.Rows()) return {};
  const std::u16string_view other = otherScript_.At(static_cast<size_t>(row));
  const std::u16string_view form = other.empty() ? idioms_.At(static_cast<size_t>(row)) : other;
  return QString::fromUtf16(form.data(), static_cast<qsizetype>(form.size()));
}

std::vector<IdiomMatcher::Match> IdiomMatcher::Find(const QString &rawKey, const std::vector<int> &meaningRows) const {
  const QString key = SearchKey(rawKey);
  std::vector<Match> matches;
  if (key.isEmpty()) return matches;
  Query query;
  query.wildcard = key.contains(QLatin1Char('*')) || key.contains(QLatin1Char('?'));
  query.text = key.toStdU16String();
  query.otherScript = HasHan(key) && size() > 0 && otherScript_.Rows() == idioms_.Rows();
  query.pinyin.emplace(query.wildcard ? QString() : key);
  query.latinPattern = query.wildcard;
  for (const QChar c : key) {
    if (c == u'*' || c == u'?')
      query.letters += static_cast<char>(c.unicode());
    else if (c >= u'a' && c <= u'z')
      query.letters += static_cast<char>(c.unicode());
    else if (c != u' ' && c != u'\'')
      query.latinPattern = false;
  }
  const PinyinKey &pinyin = *query.pinyin;
  query.initialsKey = pinyin.IsValid() && pinyin.Letters().size() >= 2;
  // A reading from inside the idiom, like characters from inside it; short
  // keys would find nearly every idiom.
  query.insideKey = pinyin.IsValid() && pinyin.Letters().size() >= 4;
  query.textUnits = UnitsNeeded<char16_t>(query.text);
  query.letterUnits = UnitsNeeded<char>(query.letters);
  query.pinyinMask = LetterMask(pinyin.Letters());
  query.patternMask = LetterMask(query.letters);

  const size_t rows = static_cast<size_t>(size());
  const std::u16string_view literal = LongestLiteral(query.text);
  if (!query.wildcard && !pinyin.IsValid() && !query.latinPattern) {
    FindText(query, &matches);
  } else if (query.wildcard && !query.latinPattern && !literal.empty()) {
    FindPattern(query, literal, &matches);
  } else if (rows >= kRowsForTwoThreads && QThreadPool::globalInstance()->maxThreadCount() > 1) {
    // The first half here, the second on a pool thread; joined in row order.
    std::vector<Match> second;
    const size_t half = rows / 2;
    QFuture<void> other =
        QtConcurrent::run([this, &query, half, rows, &second] { FindInRows(query, half, rows, &second); });
    FindInRows(query, 0, half, &matches);
    other.waitForFinished();
    matches.insert(matches.end(), second.begin(), second.end());
  } else {
    FindInRows(query, 0, rows, &matches);
  }
  std::stable_sort(matches.begin(), matches.end(), [](const Match &a, const Match &b) { return a.kind < b.kind; });
  std::vector<bool> listed;
  if (!meaningRows.empty()) {
    listed.assign(rows, false);
    for (const Match &m : matches) listed[static_cast<size_t>(m.row)] = true;
    for (const int row : meaningRows)
      if (row >= 0 && static_cast<size_t>(row) < rows && !listed[static_cast<size_t>(row)]) {
        listed[static_cast<size_t>(row)] = true;
        matches.push_back({row, Kind::Meaning});
      }
  }
  return matches;
}

std::vector<IdiomMatcher::Match> IdiomMatcher::RowsHolding(const RowTexts<char16_t> &texts, std::u16string_view key) {
  std::vector<Match> found;
  const std::u16string_view all = texts.Text();
  size_t row = 0;
  for (size_t at = NextPlace(all, key, 0); at != std::u16string_view::npos; at = NextPlace(all, key, at + 1)) {
    // Places come in text order: the row moves forward, at most once over each.
    while (texts.Start(row + 1) <= at) ++row;
    const size_t start = texts.Start(row), end = texts.Start(row + 1);
    if (at + key.size() > end) continue;  // it runs on into the next row
    const Kind kind = at != start ? Kind::Inside : end - start == key.size() ? Kind::ExactIdiom : Kind::IdiomPrefix;
    found.push_back({static_cast<int>(row), kind});
    at = end - 1;  // the row's first place is its best
  }
  return found;
}

void IdiomMatcher::FindText(const Query &query, std::vector<Match> *matches) const {
  const std::u16string_view key(query.text);
  const std::vector<Match> own = RowsHolding(idioms_, key);
  if (!query.otherScript) {
    *matches = own;
    return;
  }
  const std::vector<Match> other = RowsHolding(otherScript_, key);
  // Both in row order: merged, a row found in both with its better kind.
  auto a = own.begin(), b = other.begin();
  while (a != own.end() || b != other.end()) {
    if (b == other.end() || (a != own.end() && a->row < b->row)) {
      matches->push_back(*a++);
    } else if (a == own.end() || b->row < a->row) {
      matches->push_back(*b++);
    } else {
      matches->push_back({a->row, std::min(a->kind, b->kind)});
      ++a, ++b;
    }
  }
}

void IdiomMatcher::FindPattern(const Query &query, std::u16string_view literal, std::vector<Match> *matches) const {
  std::vector<Match> rows = RowsHolding(idioms_, literal);
  if (query.otherScript) {
    const std::vector<Match> other = RowsHolding(otherScript_, literal);
    rows.insert(rows.end(), other.begin(), other.end());
    std::sort(rows.begin(), rows.end(), [](const Match &a, const Match &b) { return a.row < b.row; });
    rows.erase(std::unique(rows.begin(), rows.end(), [](const Match &a, const Match &b) { return a.row == b.row; }),
               rows.end());
  }
  for (const Match &candidate : rows) {
    const auto row = static_cast<size_t>(candidate.row);
    for (const std::u16string_view idiom :
         {idioms_.At(row), query.otherScript ? otherScript_.At(row) : std::u16string_view()})
      if (!idiom.empty() && Glob<char16_t>(query.text, idiom, query.textUnits)) {
        matches->push_back({candidate.row, Kind::Wildcard});
        break;
      }
  }
}

void IdiomMatcher::FindInRows(const Query &query, size_t begin, size_t end, std::vector<Match> *matches) const {
  const PinyinKey &pinyin = *query.pinyin;
  std::string toneless;  // of the reading at hand
  for (size_t row = begin; row < end; ++row) {
    std::optional<Kind> best;
    const auto take = [&best](Kind kind) {
      if (!best || kind < *best) best = kind;
    };
    for (const std::u16string_view idiom :
         {idioms_.At(row), query.otherScript ? otherScript_.At(row) : std::u16string_view()}) {
      if (idiom.empty()) continue;
      if (query.wildcard) {
        // A pattern finds nothing better than a wildcard match: one is enough.
        if (!best && Glob<char16_t>(query.text, idiom, query.textUnits)) take(Kind::Wildcard);
        continue;
      }
      if (idiom == query.text)
        take(Kind::ExactIdiom);
      else if (idiom.substr(0, query.text.size()) == query.text)
        take(Kind::IdiomPrefix);
      else if (idiom.find(query.text) != std::u16string_view::npos)
        take(Kind::Inside);
    }
    const uint32_t rowLetters = letterMasks_[row];
    // The readings can only add kinds below the idiom's own.
    if (pinyin.IsValid() && (!best || *best > Kind::Pinyin) && (rowLetters & query.pinyinMask) == query.pinyinMask) {
      const std::string_view readings = readings_.At(row);
      if (AnyPart(readings, [&](std::string_view reading) { return pinyin.MatchesReading(reading); }))
        take(Kind::Pinyin);
      else if (query.insideKey &&
               AnyPart(readings, [&](std::string_view reading) { return pinyin.MatchesInsideReading(reading); }))
        take(Kind::Inside);
      if (query.initialsKey &&
          AnyPart(readings, [&](std::string_view reading) { return InitialsBeginWith(reading, pinyin.Letters()); }))
        take(Kind::Initials);
    }
    if (query.latinPattern && !best && (rowLetters & query.patternMask) == query.patternMask &&
        AnyPart(readings_.At(row), [&](std::string_view reading) {
          // The reading's letters are fewer than its characters.
          if (reading.size() < query.letterUnits) return false;
          TonelessLetters(reading, &toneless);
          return Glob<char>(query.letters, toneless, query.letterUnits);
        }))
      take(Kind::Wildcard);
    if (best) matches->push_back({static_cast<int>(row), *best});
  }
}

}  // namespace velmora
