#include "BrowseHistory.h"

namespace velmora {

void BrowseHistory::Visit(const QString &idiom) {
  if (idiom.isEmpty() || (!idioms_.empty() && idioms_[current_] == idiom)) return;
  if (!idioms_.empty()) idioms_.resize(current_ + 1);
  idioms_.push_back(idiom);
  if (idioms_.size() > kLongest) idioms_.erase(idioms_.begin());
  current_ = idioms_.size() - 1;
}

std::optional<QString> BrowseHistory::Back() {
  if (!CanGoBack()) return std::nullopt;
  return idioms_[--current_];
}

std::optional<QString> BrowseHistory::Forward() {
  if (!CanGoForward()) return std::nullopt;
  return idioms_[++current_];
}

}  // namespace velmora
