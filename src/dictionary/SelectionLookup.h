#pragma once
// Which selections are looked up as they are made: a short text (a word or
// a phrase, not a page) holding a Chinese character, and not the one looked
// up last, which a program may announce again as its owner changes.
#include <QString>

namespace velmora {

class SelectionLookup {
 public:
  static constexpr int kLongestSelection = 64;
  // True when the selected text is to be looked up; remembers it when so.
  bool Wanted(const QString &selected);

 private:
  QString last_;
};

}  // namespace velmora
