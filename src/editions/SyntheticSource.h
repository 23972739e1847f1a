#pragma once
// Large editions for tests and benchmarks: unique four-character idioms made of common
// characters with their pinyin, spread over most initial letters.
#include <vector>

#include "SourceEntry.h"

namespace velmora::editions {

std::vector<SourceEntry> SyntheticIdioms(int count);

}  // namespace velmora::editions
