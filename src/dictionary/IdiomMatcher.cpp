#include "IdiomMatcher.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>

#include "PinyinKey.h"
#include "ScriptConverter.h"

namespace velmora {

namespace {

using Kind = IdiomMatcher::Kind;

bool HasHan(const QString &text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char32_t c = text[i].isHighSurrogate() && i + 1 < text.size()
                           ? QChar::surrogateToUcs4(text[i], text[i + 1])
                           : text[i].unicode();
    if (QChar::script(c) == QChar::Script_Han) return true;
  }
  return false;
}

// "*" any run, "?" one unit, everything else itself; the whole text must match.
template <class Char>
bool Glob(std::basic_string_view<Char> pattern, std::basic_string_view<Char> text) {
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

}  // namespace

IdiomMatcher::IdiomMatcher() = default;
IdiomMatcher::~IdiomMatcher() = default;
IdiomMatcher::IdiomMatcher(IdiomMatcher &&) noexcept = default;
IdiomMatcher &IdiomMatcher::operator=(IdiomMatcher &&) noexcept = default;

QString IdiomMatcher::Normalized(const QString &key) {
  return key.normalized(QString::NormalizationForm_KC).trimmed().toCaseFolded();
}

void IdiomMatcher::Build(const QStringList &idioms, const QStringList &spells) {
  idioms_ = {};
  readings_ = {};
  initials_ = {};
  toneless_ = {};
  for (qsizetype row = 0; row < idioms.size(); ++row) {
    idioms_.Add(Normalized(idioms[row]).toStdU16String());
    std::string readings, initials, toneless;
    for (const QString &reading : spells.value(row).split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
      const std::string compact = CompactReading(reading);
      if (compact.empty()) continue;
      if (!readings.empty()) readings += '|', initials += '|', toneless += '|';
      readings += compact;
      bool start = true;
      for (const char c : compact) {
        if (c == ' ') {
          start = true;
        } else if (c >= 'a' && c <= 'z') {
          if (start) initials += c;
          toneless += c;
          start = false;
        }
      }
    }
    readings_.Add(readings);
    initials_.Add(initials);
    toneless_.Add(toneless);
  }
}

void IdiomMatcher::UseScriptConversion() {
  try {
    toTraditional_ = std::make_unique<ScriptConverter>("s2t.json");
    toSimplified_ = std::make_unique<ScriptConverter>("t2s.json");
  } catch (const std::exception &) {
    toTraditional_.reset();
    toSimplified_.reset();  // without OpenCC's data each script finds itself only
  }
}

std::vector<IdiomMatcher::Match> IdiomMatcher::Find(const QString &rawKey, const std::vector<int> &meaningRows) const {
  const QString key = Normalized(rawKey);
  std::vector<Match> matches;
  if (key.isEmpty()) return matches;
  const bool wildcard = key.contains(QLatin1Char('*')) || key.contains(QLatin1Char('?'));
  std::vector<std::u16string> texts{key.toStdU16String()};
  if (HasHan(key) && toTraditional_) {
    for (const auto *converter : {toTraditional_.get(), toSimplified_.get()}) {
      const std::u16string variant = Normalized(converter->Convert(key)).toStdU16String();
      if (std::find(texts.begin(), texts.end(), variant) == texts.end()) texts.push_back(variant);
    }
  }
  const PinyinKey pinyin(wildcard ? QString() : key);
  std::string letters;  // of a wildcard key, for the toneless pinyin
  bool latinPattern = wildcard;
  for (const QChar c : key) {
    if (c == u'*' || c == u'?') letters += static_cast<char>(c.unicode());
    else if (c >= u'a' && c <= u'z') letters += static_cast<char>(c.unicode());
    else if (c != u' ' && c != u'\'') latinPattern = false;
  }
  const bool initialsKey = pinyin.IsValid() && pinyin.Letters().size() >= 2;

  const size_t rows = static_cast<size_t>(size());
  for (size_t row = 0; row < rows; ++row) {
    const std::u16string_view idiom = idioms_.At(row);
    std::optional<Kind> best;
    const auto take = [&best](Kind kind) {
      if (!best || kind < *best) best = kind;
    };
    for (const std::u16string &text : texts) {
      if (wildcard) {
        if (Glob<char16_t>(text, idiom)) take(Kind::Wildcard);
        continue;
      }
      if (idiom == text) take(Kind::ExactIdiom);
      else if (idiom.substr(0, text.size()) == text) take(Kind::IdiomPrefix);
      else if (idiom.find(text) != std::u16string_view::npos) take(Kind::Inside);
    }
    if (pinyin.IsValid()) {
      if (AnyPart(readings_.At(row), [&](std::string_view reading) { return pinyin.MatchesReading(reading); }))
        take(Kind::Pinyin);
      if (initialsKey && AnyPart(initials_.At(row), [&](std::string_view part) {
            return part.substr(0, pinyin.Letters().size()) == pinyin.Letters();
          }))
        take(Kind::Initials);
    }
    if (latinPattern && AnyPart(toneless_.At(row), [&](std::string_view part) { return Glob<char>(letters, part); }))
      take(Kind::Wildcard);
    if (best) matches.push_back({static_cast<int>(row), *best});
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

}  // namespace velmora
