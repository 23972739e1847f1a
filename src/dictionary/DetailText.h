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

}  // namespace velmora
