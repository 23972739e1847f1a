// Fuzz target: a search key through the matcher (wildcards, tones, mixed
// scripts). Whatever the key, each match names a row once, and the kinds
// come best first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzCheck.h"
#include "dictionary/IdiomMatcher.h"

namespace {

const velmora::IdiomMatcher &Matcher() {
  static const velmora::IdiomMatcher matcher = [] {
    velmora::IdiomMatcher built;
    built.Build(
        {QStringLiteral("画龙点睛"), QStringLiteral("一马当先"), QStringLiteral("它's一"), QStringLiteral("阿鼻地狱")},
        {QStringLiteral("huà lóng diǎn jīng"), QStringLiteral("yī mǎ dāng xiān"), QStringLiteral("tā s yī"),
         QStringLiteral("ā bí dì yù; ē bí dì yù")});
    built.SetOtherScript(QByteArray("畫龍點睛\n一馬當先\n它's一\n阿鼻地獄"));
    return built;
  }();
  return matcher;
}

}  // namespace

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString key = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  Require(velmora::IdiomMatcher::SearchKey(key).size() <= velmora::IdiomMatcher::kLongestKey);
  const auto matches = Matcher().Find(key, {3, 1, 7, -1});
  std::vector<bool> seen(static_cast<size_t>(Matcher().size()), false);
  for (size_t i = 0; i < matches.size(); ++i) {
    Require(matches[i].row >= 0 && matches[i].row < Matcher().size());
    Require(!seen[static_cast<size_t>(matches[i].row)]);
    seen[static_cast<size_t>(matches[i].row)] = true;
    if (i > 0) Require(matches[i - 1].kind <= matches[i].kind);
  }
  return 0;
}
