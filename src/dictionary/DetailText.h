#pragma once
// The combined detail text of an idiom: idiom, spelling, then the three
// headed entries, separated by empty lines; lines joined by CR LF.
#include <QString>

namespace velmora {

struct DetailParts {
  QString idiom, spell;
  QString explainHeading, explain;
  QString derivationHeading, derivation;
  QString exampleHeading, example;
};

QString ComposeDetailText(const DetailParts &parts);

// The longest text a detail box is given. A box lays its text out whole, and
// one unbroken line of a megabyte takes minutes; no idiom's entry comes near.
inline constexpr qsizetype kLongestDetailText = 10000;
// The text, or its first kLongestDetailText characters followed by a line
// that says how long the whole was; a character is never split.
QString BoundedText(const QString &text, qsizetype limit = kLongestDetailText);

}  // namespace velmora
