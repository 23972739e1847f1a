#include "IdiomAutomaton.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "IdiomMatcher.h"

namespace velmora {

namespace {

// A character of the text as the matcher compares it: NFKC, case folded.
// Han characters, the bulk of any text read here, are their own form;
// the rest are worked out once per scan.
class FoldedCharacters {
 public:
  const std::u32string &Of(char32_t c) {
    if (IsOwnForm(c)) {
      same_[0] = c < 0x80 && c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c;
      return same_;
    }
    auto [at, added] = known_.try_emplace(c);
    if (added) {
      const QString folded = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KC).toCaseFolded();
      const QList<uint> points = folded.toUcs4();
      at->second.assign(points.begin(), points.end());
    }
    return at->second;
  }

 private:
  static bool IsOwnForm(char32_t c) { return c < 0x80 || (c >= 0x3400 && c < 0xA000) || (c >= 0x20000 && c < 0x2F800); }
  std::u32string same_ = std::u32string(1, U' ');
  std::unordered_map<char32_t, std::u32string> known_;
};

}  // namespace

IdiomAutomaton IdiomAutomaton::Over(const IdiomMatcher &matcher) {
  IdiomAutomaton automaton;
  for (int row = 0; row < matcher.size(); ++row) {
    const QString idiom = matcher.ComparedIdiomAt(row);
    automaton.Add(idiom, row);
    const QString other = matcher.ComparedOtherScriptAt(row);
    if (other != idiom) automaton.Add(other, row);
  }
  automaton.Finish();
  return automaton;
}

void IdiomAutomaton::Add(const QString &idiom, int index) {
  if (idiom.isEmpty()) return;
  int node = 0;
  int length = 0;
  for (const char32_t c : idiom.toUcs4()) {
    auto &children = building_[node];
    const auto found = std::find_if(children.begin(), children.end(), [c](const auto &e) { return e.first == c; });
    if (found != children.end()) {
      node = found->second;
    } else {
      const int child = static_cast<int>(nodes_.size());
      nodes_.push_back(Node{});
      building_.emplace_back();
      building_[node].emplace_back(c, child);
      node = child;
    }
    ++length;
  }
  if (nodes_[node].output < 0) {
    nodes_[node].output = index;
    nodes_[node].outputLength = length;
    longest_ = std::max(longest_, length);
  }
}

int IdiomAutomaton::Child(int node, char32_t c) const {
  const Node &n = nodes_[node];
  const auto begin = edges_.begin() + n.firstEdge, end = begin + n.edges;
  const auto at = std::lower_bound(begin, end, c, [](const auto &e, char32_t key) { return e.first < key; });
  return at != end && at->first == c ? at->second : -1;
}

void IdiomAutomaton::Finish() {
  // Flatten each node's edges, sorted, into one array.
  edges_.clear();
  for (size_t node = 0; node < building_.size(); ++node) {
    auto &children = building_[node];
    std::sort(children.begin(), children.end());
    nodes_[node].firstEdge = static_cast<uint32_t>(edges_.size());
    nodes_[node].edges = static_cast<uint32_t>(children.size());
    edges_.insert(edges_.end(), children.begin(), children.end());
  }
  building_.clear();
  building_.shrink_to_fit();
  // Fail links breadth first, and with them each node's link to the next
  // shorter idiom that ends where it ends: an idiom that is a suffix of a
  // path is found even where the path's own idiom is not.
  std::deque<int> queue;
  for (uint32_t e = 0; e < nodes_[0].edges; ++e) {
    const int child = edges_[nodes_[0].firstEdge + e].second;
    nodes_[child].fail = 0;
    queue.push_back(child);
  }
  while (!queue.empty()) {
    const int node = queue.front();
    queue.pop_front();
    for (uint32_t e = 0; e < nodes_[node].edges; ++e) {
      const auto [c, child] = edges_[nodes_[node].firstEdge + e];
      int fail = nodes_[node].fail;
      while (fail != 0 && Child(fail, c) < 0) fail = nodes_[fail].fail;
      const int target = Child(fail, c);
      nodes_[child].fail = target >= 0 && target != child ? target : 0;
      const int suffix = nodes_[child].fail;
      nodes_[child].nextOutput = nodes_[suffix].output >= 0 ? suffix : nodes_[suffix].nextOutput;
      queue.push_back(child);
    }
  }
}

int IdiomAutomaton::Step(int node, char32_t c) const {
  while (true) {
    const int next = Child(node, c);
    if (next >= 0) return next;
    if (node == 0) return 0;
    node = nodes_[node].fail;
  }
}

std::vector<IdiomAutomaton::Found> IdiomAutomaton::Endings(const QString &text,
                                                           const std::function<bool(double)> &progress) const {
  // Every idiom ending at each place of the text, in UTF-16 units.
  std::vector<Found> ending;
  // Where in the text each of the last compared characters came from, to
  // measure back from an idiom's end (a character may fold into several);
  // no idiom reaches further back than the longest.
  std::vector<qsizetype> startOf(static_cast<size_t>(std::max(longest_, 1)));
  size_t compared = 0;
  FoldedCharacters folded;
  int node = 0;
  qsizetype i = 0, read = 0;
  const qsizetype size = text.size();
  while (i < size) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate();
    const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
    const qsizetype start = i;
    i += pair ? 2 : 1;
    for (const char32_t character : folded.Of(c)) {
      startOf[compared++ % startOf.size()] = start;
      node = Step(node, character);
      for (int at = nodes_[node].output >= 0 ? node : nodes_[node].nextOutput; at >= 0; at = nodes_[at].nextOutput) {
        const Node &here = nodes_[at];
        const qsizetype from = startOf[(compared - static_cast<size_t>(here.outputLength)) % startOf.size()];
        ending.push_back({from, i - from, here.output});
      }
    }
    if (progress && (++read & 0xffff) == 0 && !progress(static_cast<double>(i) / static_cast<double>(size))) break;
  }
  return ending;
}

std::vector<IdiomAutomaton::Found> IdiomAutomaton::Scan(const QString &text,
                                                        const std::function<bool(double)> &progress) const {
  std::vector<Found> ending = Endings(text, progress);
  // Where idioms overlap: the first to start, and of those the longest.
  std::sort(ending.begin(), ending.end(), [](const Found &a, const Found &b) {
    return a.start != b.start ? a.start < b.start : a.length > b.length;
  });
  std::vector<Found> kept;
  qsizetype end = 0;
  for (const Found &found : ending)
    if (found.start >= end) {
      kept.push_back(found);
      end = found.start + found.length;
    }
  return kept;
}

int IdiomAutomaton::Longest(const QString &text) const {
  int best = -1;
  qsizetype length = 0;
  for (const Found &found : Endings(text, {}))
    if (found.length > length) best = found.idiom, length = found.length;
  return best;
}

}  // namespace velmora
