#pragma once
// Large editions for benchmarks: unique four-character idioms made of common
// characters with their pinyin, spread over most initial letters.
#include <vector>

#include "SourceEntry.h"

namespace velmora::bench {

std::vector<mkdata::SourceEntry> SyntheticIdioms(int count);

}  // namespace velmora::bench
