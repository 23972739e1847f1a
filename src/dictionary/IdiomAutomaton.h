#pragma once
// Finds every idiom of an edition in a text at once: an Aho-Corasick
// automaton over the idioms in both scripts, built once. The text is compared
// as the matcher compares keys (full-width forms half-width, case folded), a
// character at a time, so that every place found is a place in the text as
// given. A scan keeps, where idioms overlap, the one that starts first and,
// of those, the longest.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace velmora {

class IdiomMatcher;

class IdiomAutomaton {
 public:
  // Every row of the matcher in both scripts, each under its row.
  static IdiomAutomaton Over(const IdiomMatcher &matcher);

  struct Found {
    qsizetype start = 0, length = 0;  // in the text's UTF-16 units
    int idiom = 0;                    // the index given to Add
    bool operator==(const Found &) const = default;
  };

  // An idiom, in the form the matcher compares (IdiomMatcher::Normalized),
  // under its index; its other script under the same index.
  void Add(const QString &idiom, int index);
  void Finish();
  // progress (0..1) may return false to stop; what was found until then is kept.
  std::vector<Found> Scan(const QString &text, const std::function<bool(double)> &progress = {}) const;
  // The longest idiom in the text; -1 when it holds none.
  int Longest(const QString &text) const;
  bool empty() const { return nodes_.size() <= 1; }

 private:
  struct Node {
    int fail = 0;
    int output = -1;       // the idiom that is this node's whole path, if any
    int outputLength = 0;  // its length in code points
    int nextOutput = -1;   // the nearest node on the fail chain with an idiom of its own
    uint32_t firstEdge = 0, edges = 0;
  };
  int Step(int node, char32_t c) const;
  std::vector<Found> Endings(const QString &text, const std::function<bool(double)> &progress) const;
  int Child(int node, char32_t c) const;

  std::vector<Node> nodes_{Node{}};
  int longest_ = 0;                              // code points of the longest idiom
  std::vector<std::pair<char32_t, int>> edges_;  // each node's edges, sorted, together
  // While adding: (parent, character) -> child, before Finish flattens them.
  std::vector<std::vector<std::pair<char32_t, int>>> building_{{}};
};

}  // namespace velmora
