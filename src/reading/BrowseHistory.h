#pragma once
// The idioms shown in this run, walked back and forward as a web browser
// walks its pages: showing a new idiom after going back drops the idioms
// ahead.
#include <QString>
#include <optional>
#include <vector>

namespace velmora {

class BrowseHistory {
 public:
  // The idiom now on display; an idiom equal to the current one adds nothing.
  void Visit(const QString &idiom);
  // The idiom to show, moving the current place; nothing at either end.
  std::optional<QString> Back();
  std::optional<QString> Forward();
  // The idiom at the current place; empty before the first visit.
  QString Current() const { return idioms_.empty() ? QString() : idioms_[current_]; }
  bool CanGoBack() const { return current_ > 0; }
  bool CanGoForward() const { return current_ + 1 < idioms_.size(); }

 private:
  // A long session keeps its newest idioms.
  static constexpr size_t kLongest = 1000;
  std::vector<QString> idioms_;
  size_t current_ = 0;
};

}  // namespace velmora
