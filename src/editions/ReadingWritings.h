#pragma once
// One reading written several ways: in another case, with "v" or "u:" for
// "ü", or without tones. Sources write readings all these ways, and a
// learner should see each reading once, with its tones where any source
// gives them.
#include <QString>

namespace velmora::editions {

// True when the two are one reading: the same letters once case, the ways
// of writing "ü", blanks and marks are set aside, and the same tones
// wherever both have any.
bool SameWriting(const QString &a, const QString &b);

// The readings ("a; b") with those of `added` joined that they do not hold
// already; a toneless writing gives way to a toned one of the same reading.
QString JoinReadings(const QString &readings, const QString &added);

}  // namespace velmora::editions
