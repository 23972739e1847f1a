#include "RelatedIndex.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <unordered_map>

#include "PinyinKey.h"
#include "dictionary/Pinyin.h"

namespace velmora {

namespace {

// Written at the head of a stored index; a stored index of another shape is
// not read (and is built again from the rows).
constexpr quint32 kFormat = 0x564c5231;  // "VLR1"
constexpr uint32_t kByteOrderMark = 0x01020304;
// The real sources' largest group of idioms sharing one sense is about ten.
constexpr size_t kMostSharingOneSense = 32;

// A sense's key: FNV-1a over its UTF-8, the same in every build.
uint64_t SenseKey(const QString &sense) {
  uint64_t hash = 1469598103934665603ull;
  for (const char byte : sense.toUtf8()) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::vector<char32_t> CodePoints(std::u16string_view text) {
  std::vector<char32_t> points;
  for (const uint v : QStringView(text.data(), static_cast<qsizetype>(text.size())).toUcs4()) points.push_back(v);
  return points;
}

std::string Toneless(std::string syllable) {
  if (!syllable.empty() && syllable.back() >= '0' && syllable.back() <= '9') syllable.pop_back();
  return syllable;
}

// The longest run of characters two idioms share.
// The longest run of characters the two share, by dynamic programming over
// one row at a time: quadratic, and both cut to a bound first, since an
// edition may hold "idioms" thousands of characters long.
int LongestSharedRun(const std::vector<char32_t> &a, const std::vector<char32_t> &b) {
  constexpr size_t kLongestCompared = 64;
  const size_t n = std::min(a.size(), kLongestCompared), m = std::min(b.size(), kLongestCompared);
  std::vector<int> previous(m + 1, 0), current(m + 1, 0);
  int best = 0;
  for (size_t i = 1; i <= n; ++i) {
    for (size_t j = 1; j <= m; ++j) {
      current[j] = a[i - 1] == b[j - 1] ? previous[j - 1] + 1 : 0;
      best = std::max(best, current[j]);
    }
    std::swap(previous, current);
  }
  return best;
}

template <class T>
void Write(QDataStream &out, const std::vector<T> &items) {
  static_assert(std::is_trivially_copyable_v<T>);
  out << static_cast<quint64>(items.size());
  out.writeRawData(reinterpret_cast<const char *>(items.data()), static_cast<int>(items.size() * sizeof(T)));
}

template <class T>
bool Read(QDataStream &in, std::vector<T> &items) {
  quint64 count = 0;
  in >> count;
  // Never more than the bytes left: a damaged count must not ask for gigabytes.
  if (in.status() != QDataStream::Ok || !in.device() ||
      count > static_cast<quint64>(in.device()->bytesAvailable()) / sizeof(T))
    return false;
  items.resize(count);
  const auto bytes = static_cast<int>(count * sizeof(T));
  return in.readRawData(reinterpret_cast<char *>(items.data()), bytes) == bytes;
}

// Pairs travel as their two halves.
template <class A, class B>
void Write(QDataStream &out, const std::vector<std::pair<A, B>> &pairs) {
  std::vector<A> firsts;
  std::vector<B> seconds;
  for (const auto &[a, b] : pairs) firsts.push_back(a), seconds.push_back(b);
  Write(out, firsts);
  Write(out, seconds);
}

template <class A, class B>
bool Read(QDataStream &in, std::vector<std::pair<A, B>> &pairs) {
  std::vector<A> firsts;
  std::vector<B> seconds;
  if (!Read(in, firsts) || !Read(in, seconds) || firsts.size() != seconds.size()) return false;
  pairs.clear();
  for (size_t i = 0; i < firsts.size(); ++i) pairs.emplace_back(firsts[i], seconds[i]);
  return std::is_sorted(pairs.begin(), pairs.end());
}

template <class Pairs>
auto RangeOf(const Pairs &pairs, typename Pairs::value_type::first_type key) {
  return std::equal_range(pairs.begin(), pairs.end(), std::pair{key, typename Pairs::value_type::second_type{}},
                          [](const auto &a, const auto &b) { return a.first < b.first; });
}

}  // namespace

namespace {

bool HasAsciiLetter(const QString &text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80 && c.isLetter(); });
}

// Letters, numbers and blanks of the basic plane only: nothing for the
// punctuation pattern to do.
bool IsWordsAndBlanks(const QString &text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    return c != QLatin1Char('_') && !c.isSurrogate() && (c.isLetterOrNumber() || c.isSpace());
  });
}

bool IsCjk(QChar c) { return c.unicode() >= 0x3400 && c.unicode() <= 0x9fff; }

QStringList SplitAt(const QString &line, QStringView separators) {
  QStringList parts;
  qsizetype from = 0;
  for (qsizetype i = 0; i <= line.size(); ++i) {
    if (i < line.size() && !separators.contains(line[i])) continue;
    if (i > from) parts << line.mid(from, i - from);
    from = i + 1;
  }
  return parts;
}

}  // namespace

// The patterns run only where they can match: a builder normalises every
// clause of every explanation, most of them Chinese without a Latin letter.
QString RelatedIndex::NormalizedSense(const QString &sense) {
  static const QRegularExpression parentheses(QStringLiteral("\\([^)]*\\)|（[^）]*）"));
  static const QRegularExpression marks(QStringLiteral("\\b(lit|fig|idiom)\\b\\.?"));
  // Unicode classes: without them \w is ASCII, and a Chinese clause would
  // be blanked out whole.
  static const QRegularExpression notWords(QStringLiteral("[^\\w\\s]|_"),
                                           QRegularExpression::UseUnicodePropertiesOption);
  static const QRegularExpression fillers(QStringLiteral("^to\\s+|\\b(a|an|the)\\b"));
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  QString text = sense.toLower();
  if (text.contains(QLatin1Char('(')) || text.contains(QChar(0xff08))) text.remove(parentheses);
  const bool latin = HasAsciiLetter(text);
  if (latin) text.remove(marks);
  if (!IsWordsAndBlanks(text)) text.replace(notWords, QStringLiteral(" "));
  text = text.simplified();
  if (!latin) return text;
  text.remove(fillers);
  return text.replace(blanks, QStringLiteral(" ")).trimmed();
}

QStringList RelatedIndex::Senses(const QString &note) {
  QStringList senses;
  // A Chinese explanation and the English definitions stand on lines of their own.
  for (const QString &line : note.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    const bool chinese = std::any_of(line.begin(), line.end(), IsCjk);
    for (const QString &part : SplitAt(line, chinese ? u"；;。，," : u";/")) {
      const QString sense = NormalizedSense(part);
      if (sense.isEmpty() || (chinese && sense.size() < 4)) continue;
      if (!senses.contains(sense)) senses << sense;
    }
  }
  return senses;
}

void RelatedIndex::Add(const QString &idiom, const QString &spell, const QString &note) {
  text_ += idiom.toStdU16String();
  offsets_.push_back(static_cast<uint32_t>(text_.size()));
  const std::string reading = CompactReading(FirstReading(spell));
  const size_t lastBlank = reading.rfind(' ');
  syllables_ += reading.substr(0, reading.find(' ')) + '|' +
                (lastBlank == std::string::npos ? reading : reading.substr(lastBlank + 1));
  syllableOffsets_.push_back(static_cast<uint32_t>(syllables_.size()));
  std::vector<uint64_t> keys;
  for (const QString &sense : Senses(note)) keys.push_back(SenseKey(sense));
  pending_.push_back(std::move(keys));
}

void RelatedIndex::Finish() {
  const auto rows = static_cast<uint32_t>(size());
  byText_.resize(rows);
  for (uint32_t row = 0; row < rows; ++row) byText_[row] = row;
  std::sort(byText_.begin(), byText_.end(),
            [this](uint32_t a, uint32_t b) { return TextAt(static_cast<int>(a)) < TextAt(static_cast<int>(b)); });
  characters_.clear();
  firsts_.clear();
  for (uint32_t row = 0; row < rows; ++row) {
    std::vector<char32_t> points = CodePoints(TextAt(static_cast<int>(row)));
    if (points.empty()) continue;
    firsts_.emplace_back(points.front(), row);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    for (const char32_t point : points) characters_.emplace_back(point, row);
  }
  std::sort(characters_.begin(), characters_.end());
  std::sort(firsts_.begin(), firsts_.end());
  bySyllable_ = std::vector<uint32_t>(byText_.size());
  for (uint32_t row = 0; row < rows; ++row) bySyllable_[row] = row;
  std::stable_sort(bySyllable_.begin(), bySyllable_.end(), [this](uint32_t a, uint32_t b) {
    return Toneless(FirstSyllable(static_cast<int>(a))) < Toneless(FirstSyllable(static_cast<int>(b)));
  });
  // Only senses two idioms or more share relate anything; and a sense that
  // very many share is a source's set phrase, not a meaning.
  std::vector<std::pair<uint64_t, uint32_t>> all;
  for (uint32_t row = 0; row < pending_.size(); ++row)
    for (const uint64_t key : pending_[row]) all.emplace_back(key, row);
  std::sort(all.begin(), all.end());
  senses_.clear();
  for (size_t i = 0; i < all.size();) {
    size_t end = i;
    while (end < all.size() && all[end].first == all[i].first) ++end;
    if (end - i > 1 && end - i <= kMostSharingOneSense)
      senses_.insert(senses_.end(), all.begin() + static_cast<ptrdiff_t>(i), all.begin() + static_cast<ptrdiff_t>(end));
    i = end;
  }
  rowSenses_.clear();
  for (const auto &[key, row] : senses_) rowSenses_.emplace_back(row, key);
  std::sort(rowSenses_.begin(), rowSenses_.end());
  pending_.clear();
  pending_.shrink_to_fit();
}

std::u16string_view RelatedIndex::TextAt(int row) const {
  return std::u16string_view(text_).substr(offsets_[row], offsets_[row + 1] - offsets_[row]);
}

QString RelatedIndex::IdiomAt(int row) const {
  if (row < 0 || row >= size()) return {};
  const std::u16string_view text = TextAt(row);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<int> RelatedIndex::RowOf(const QString &idiom) const {
  const std::u16string key = idiom.toStdU16String();
  const auto at = std::lower_bound(byText_.begin(), byText_.end(), key, [this](uint32_t row, const std::u16string &k) {
    return TextAt(static_cast<int>(row)) < k;
  });
  if (at == byText_.end() || TextAt(static_cast<int>(*at)) != key) return std::nullopt;
  return static_cast<int>(*at);
}

std::string RelatedIndex::FirstSyllable(int row) const {
  if (row < 0 || row >= size()) return {};
  const std::string_view both =
      std::string_view(syllables_).substr(syllableOffsets_[row], syllableOffsets_[row + 1] - syllableOffsets_[row]);
  return std::string(both.substr(0, both.find('|')));
}

std::string RelatedIndex::LastSyllable(int row) const {
  if (row < 0 || row >= size()) return {};
  const std::string_view both =
      std::string_view(syllables_).substr(syllableOffsets_[row], syllableOffsets_[row + 1] - syllableOffsets_[row]);
  return std::string(both.substr(both.find('|') + 1));
}

std::vector<int> RelatedIndex::RowsBeginningWith(char32_t character) const {
  std::vector<int> rows;
  const auto [from, to] = RangeOf(firsts_, character);
  for (auto it = from; it != to; ++it) rows.push_back(static_cast<int>(it->second));
  return rows;
}

std::vector<int> RelatedIndex::RowsOfFirstSyllable(const std::string &syllable, bool withTone) const {
  std::vector<int> rows;
  const std::string plain = Toneless(syllable);
  if (plain.empty()) return rows;
  const auto key = [this](uint32_t row) { return Toneless(FirstSyllable(static_cast<int>(row))); };
  auto at = std::lower_bound(bySyllable_.begin(), bySyllable_.end(), plain,
                             [&](uint32_t row, const std::string &k) { return key(row) < k; });
  for (; at != bySyllable_.end() && key(*at) == plain; ++at)
    if (!withTone || FirstSyllable(static_cast<int>(*at)) == syllable) rows.push_back(static_cast<int>(*at));
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::vector<int> RelatedIndex::Successors(int row, ChainRule rule) const {
  if (row < 0 || row >= size()) return {};
  if (rule == ChainRule::SameCharacter) {
    const std::vector<char32_t> points = CodePoints(TextAt(row));
    return points.empty() ? std::vector<int>{} : RowsBeginningWith(points.back());
  }
  return RowsOfFirstSyllable(LastSyllable(row), rule == ChainRule::SameSyllableAndTone);
}

RelatedIdioms RelatedIndex::Find(const QString &idiom, const IdiomFrequencies *frequencies, int most) const {
  RelatedIdioms related;
  const std::optional<int> found = RowOf(idiom);
  if (!found) return related;
  const int self = *found;
  const auto listed = [this, most](const std::vector<int> &rows, QStringList &into) {
    for (const int row : rows) {
      if (into.size() >= most) break;
      into << IdiomAt(row);
    }
  };

  // Same meaning: the most senses shared first.
  std::unordered_map<int, int> sharedSenses;
  for (auto [from, to] = RangeOf(rowSenses_, static_cast<uint32_t>(self)); from != to; ++from)
    for (auto [f, t] = RangeOf(senses_, from->second); f != t; ++f)
      if (static_cast<int>(f->second) != self) ++sharedSenses[static_cast<int>(f->second)];
  std::vector<std::pair<int, int>> meaning(sharedSenses.begin(), sharedSenses.end());
  const auto commoner = [frequencies](int a, int b) { return frequencies && frequencies->Before(a, b); };
  // Idioms the word list counts come before those it does not know: the
  // rare tail is what a long section cuts.
  const auto known = [frequencies](int row) { return frequencies && frequencies->At(row) > 0; };
  std::sort(meaning.begin(), meaning.end(), [&](auto a, auto b) {
    if (known(a.first) != known(b.first)) return known(a.first);
    if (a.second != b.second) return a.second > b.second;
    if (commoner(a.first, b.first) || commoner(b.first, a.first)) return commoner(a.first, b.first);
    return a.first < b.first;
  });
  std::vector<int> rows;
  for (const auto &[row, count] : meaning) rows.push_back(row);
  listed(rows, related.sameMeaning);

  // Same characters: two or more shared, the longest shared run first.
  const std::vector<char32_t> mine = CodePoints(TextAt(self));
  std::vector<char32_t> distinct = mine;
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  std::unordered_map<int, int> sharedCharacters;
  for (const char32_t point : distinct)
    for (auto [from, to] = RangeOf(characters_, point); from != to; ++from)
      if (static_cast<int>(from->second) != self) ++sharedCharacters[static_cast<int>(from->second)];
  struct Ranked {
    int row, run, shared;
  };
  std::vector<Ranked> sharing;
  for (const auto &[row, shared] : sharedCharacters)
    if (shared >= 2) sharing.push_back({row, LongestSharedRun(mine, CodePoints(TextAt(row))), shared});
  // How common, by orders of ten: a common idiom sharing two characters
  // (全心全意 for 一心一意) comes before a rare one sharing three (一心一德);
  // among idioms about as common, the longer shared run first.
  const auto tier = [frequencies](int row) {
    const uint32_t count = frequencies ? frequencies->At(row) : 0;
    return count == 0 ? -1 : static_cast<int>(std::log10(static_cast<double>(count)));
  };
  std::sort(sharing.begin(), sharing.end(), [&](const Ranked &a, const Ranked &b) {
    if (tier(a.row) != tier(b.row)) return tier(a.row) > tier(b.row);
    if (a.run != b.run) return a.run > b.run;
    // A common idiom before a rarer one sharing as long a run.
    if (commoner(a.row, b.row) || commoner(b.row, a.row)) return commoner(a.row, b.row);
    return a.shared != b.shared ? a.shared > b.shared : a.row < b.row;
  });
  rows.clear();
  for (const Ranked &r : sharing) rows.push_back(r.row);
  listed(rows, related.sameCharacters);

  // The chain: its last character, then its last syllable in any tone.
  std::vector<int> byCharacter = Successors(self, ChainRule::SameCharacter);
  std::erase(byCharacter, self);
  std::vector<int> byCharacterShown = byCharacter;
  if (frequencies) frequencies->CommonFirst(&byCharacterShown);
  listed(byCharacterShown, related.nextByCharacter);
  std::vector<int> bySyllable = Successors(self, ChainRule::SameSyllable);
  std::erase_if(bySyllable, [&](int row) {
    return row == self || std::binary_search(byCharacter.begin(), byCharacter.end(), row);
  });
  if (frequencies) frequencies->CommonFirst(&bySyllable);
  listed(bySyllable, related.nextBySyllable);
  return related;
}

QByteArray RelatedIndex::Serialize() const {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << kFormat;
  // The arrays are written in this machine's byte order; a reader of the
  // other order finds this mark reversed and builds the index itself.
  Write(out, std::vector<uint32_t>{kByteOrderMark});
  Write(out, std::vector<char16_t>(text_.begin(), text_.end()));
  Write(out, offsets_);
  Write(out, std::vector<char>(syllables_.begin(), syllables_.end()));
  Write(out, syllableOffsets_);
  Write(out, byText_);
  Write(out, characters_);
  Write(out, firsts_);
  Write(out, bySyllable_);
  Write(out, senses_);
  Write(out, rowSenses_);
  return bytes;
}

std::optional<RelatedIndex> RelatedIndex::Deserialize(const QByteArray &bytes) {
  QDataStream in(bytes);
  quint32 format = 0;
  in >> format;
  std::vector<uint32_t> order;
  if (format != kFormat || !Read(in, order) || order != std::vector<uint32_t>{kByteOrderMark}) return std::nullopt;
  RelatedIndex index;
  std::vector<char16_t> text;
  std::vector<char> syllables;
  const bool read = Read(in, text) && Read(in, index.offsets_) && Read(in, syllables) &&
                    Read(in, index.syllableOffsets_) && Read(in, index.byText_) && Read(in, index.characters_) &&
                    Read(in, index.firsts_) && Read(in, index.bySyllable_) && Read(in, index.senses_) &&
                    Read(in, index.rowSenses_);
  if (!read || index.offsets_.empty() || index.syllableOffsets_.size() != index.offsets_.size()) return std::nullopt;
  const size_t rows = index.offsets_.size() - 1;
  if (index.offsets_.back() != text.size() || index.syllableOffsets_.back() != syllables.size() ||
      index.byText_.size() != rows || index.bySyllable_.size() != rows ||
      !std::is_sorted(index.offsets_.begin(), index.offsets_.end()) ||
      !std::is_sorted(index.syllableOffsets_.begin(), index.syllableOffsets_.end()))
    return std::nullopt;
  const auto inRange = [rows](uint32_t row) { return row < rows; };
  if (!std::all_of(index.byText_.begin(), index.byText_.end(), inRange) ||
      !std::all_of(index.bySyllable_.begin(), index.bySyllable_.end(), inRange) ||
      !std::all_of(index.characters_.begin(), index.characters_.end(), [&](auto p) { return inRange(p.second); }) ||
      !std::all_of(index.firsts_.begin(), index.firsts_.end(), [&](auto p) { return inRange(p.second); }) ||
      !std::all_of(index.senses_.begin(), index.senses_.end(), [&](auto p) { return inRange(p.second); }) ||
      !std::all_of(index.rowSenses_.begin(), index.rowSenses_.end(), [&](auto p) { return inRange(p.first); }))
    return std::nullopt;
  index.text_.assign(text.begin(), text.end());
  index.syllables_.assign(syllables.begin(), syllables.end());
  return index;
}

}  // namespace velmora
