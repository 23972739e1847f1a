#pragma once
// The entries of the traditional edition: each entry that comes without a
// traditional form (a simplified source) converted through OpenCC, its
// idiom, texts, 近义词 and 反义词; the others as they are. Conversion is most
// of a traditional build's work, so it is done apart, and in parts, that the
// two editions' builds can share it between the cores.
#include <cstddef>
#include <vector>

#include "SourceEntry.h"

namespace velmora::editions {

struct BuildControl;

// Entries [from, to) of entries, reporting to control (may be null).
std::vector<SourceEntry> InTraditional(const std::vector<SourceEntry> &entries, size_t from, size_t to,
                                       const BuildControl *control);

class ScriptConverter;
// A source without a traditional form may still write its idioms in
// traditional characters: such an idiom is given its simplified form
// (through the converter, t2s), which the simplified edition takes and the
// traditional edition converts back with the entry's texts.
void SimplifyTraditionalWords(std::vector<SourceEntry> *entries, const ScriptConverter &toSimplified);

}  // namespace velmora::editions
