#include "WordList.h"

#include <charconv>
#include <string_view>

namespace velmora::editions {

namespace {

// The text up to the next blank of the line, which is left after it.
std::string_view NextField(std::string_view &line) {
  const size_t start = line.find_first_not_of(" \t\r");
  if (start == std::string_view::npos) return line = {};
  line.remove_prefix(start);
  const size_t end = line.find_first_of(" \t\r");
  const std::string_view field = line.substr(0, end);
  line.remove_prefix(end == std::string_view::npos ? line.size() : end);
  return field;
}

}  // namespace

int Utf8Characters(std::string_view text) {
  int characters = 0;
  for (const char byte : text) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return characters;
}

WordList WordList::Parse(const QByteArray &text) {
  WordList list;
  // Read in place: the list has 350,000 lines, of which a tenth are kept.
  std::string_view rest(text.constData(), static_cast<size_t>(text.size()));
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    const std::string_view word = NextField(line), number = NextField(line), tag = NextField(line);
    if (number.empty() || Utf8Characters(word) < 4) continue;
    long long count = 0;
    const auto [after, failure] = std::from_chars(number.data(), number.data() + number.size(), count);
    if (failure != std::errc() || after != number.data() + number.size() || count < 0) continue;
    Entry &entry = list.words_[QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()))];
    // A word listed twice keeps its larger count; an idiom tag on either counts.
    entry.count = std::max(entry.count, count);
    entry.idiom = entry.idiom || tag == "i";
  }
  return list;
}

std::optional<long long> WordList::CountOf(const QString &word) const {
  const auto found = words_.constFind(word);
  return found == words_.constEnd() ? std::nullopt : std::optional<long long>(found->count);
}

bool WordList::IsIdiom(const QString &word) const {
  const auto found = words_.constFind(word);
  return found != words_.constEnd() && found->idiom;
}

}  // namespace velmora::editions
