#include "IdiomAutomaton.h"

#include <algorithm>
#include <deque>

namespace velmora {

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
  if (length > nodes_[node].outputLength) {
    nodes_[node].output = index;
    nodes_[node].outputLength = length;
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
  // Fail links breadth first; each node's output is the longest idiom that
  // ends at it, by itself or by its fail chain.
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
      const Node &suffix = nodes_[nodes_[child].fail];
      if (suffix.outputLength > nodes_[child].outputLength && nodes_[child].output < 0) {
        nodes_[child].output = suffix.output;
        nodes_[child].outputLength = suffix.outputLength;
      }
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
  // Every idiom ending at each place (the longest there), in UTF-16 units.
  std::vector<Found> ending;
  std::vector<qsizetype> startOf;  // each code point's start, to measure back from its end
  int node = 0;
  qsizetype i = 0;
  const qsizetype size = text.size();
  while (i < size) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate();
    const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
    startOf.push_back(i);
    i += pair ? 2 : 1;
    node = Step(node, c);
    const Node &here = nodes_[node];
    if (here.output >= 0) {
      const qsizetype start = startOf[startOf.size() - static_cast<size_t>(here.outputLength)];
      ending.push_back({start, i - start, here.output});
    }
    if (progress && (startOf.size() & 0xffff) == 0 && !progress(static_cast<double>(i) / static_cast<double>(size)))
      break;
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
