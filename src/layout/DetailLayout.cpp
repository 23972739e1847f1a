#include "DetailLayout.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int kDesignLines = 2;
// Space between a box and what follows it, and under the last box.
constexpr int kGap = 1;
constexpr int kBottomMargin = 2;

DetailPlaces Stack(const DetailMetrics &m, int explainLines, int derivationLines, int exampleLines) {
  DetailPlaces p;
  p.explainLines = explainLines;
  p.derivationLines = derivationLines;
  p.exampleLines = exampleLines;
  const auto box = [&m](int lines) { return lines * m.textLine + m.textBoxChrome; };
  p.idiom = {kIdiomTopPx, m.idiomBoxHeight};
  p.spell = {p.idiom.bottom() + 2 * kGap, m.spellBoxHeight};
  p.explainLabel = {std::max(kExplainLabelTopPx, p.spell.bottom() + 2 * kGap), m.labelHeight};
  p.explain = {p.explainLabel.bottom() + kGap, box(explainLines)};
  p.derivationLabel = {p.explain.bottom() + kGap, m.labelHeight};
  p.derivation = {p.derivationLabel.bottom() + kGap, box(derivationLines)};
  p.exampleLabel = {p.derivation.bottom() + kGap, m.labelHeight};
  p.example = {p.exampleLabel.bottom() + kGap, box(exampleLines)};
  return p;
}

}  // namespace

DetailPlaces PlaceDetailBoxes(const DetailMetrics &m) {
  const int limit = m.paneHeight - kBottomMargin;
  int lines[3] = {kDesignLines, kDesignLines, kDesignLines};  // explanation, derivation, example
  DetailPlaces places = Stack(m, lines[0], lines[1], lines[2]);
  // Too little room (large text in a small window): the lower boxes give
  // up their second line first.
  for (int box = 2; box >= 0 && places.example.bottom() > limit; --box) {
    lines[box] = 1;
    places = Stack(m, lines[0], lines[1], lines[2]);
  }
  if (!DetailPaneHasRoom(m.paneHeight, m.designPaneHeight) || m.textLine <= 0) return places;
  // More room: half of it to the explanation, a quarter to each of the
  // others, in whole lines; what is left over in whole lines goes to the
  // explanation as well.
  const int spare = std::max(0, limit - places.example.bottom());
  const int added[3] = {spare / 2 / m.textLine, spare / 4 / m.textLine, spare / 4 / m.textLine};
  for (int box = 0; box < 3; ++box) lines[box] += added[box];
  lines[0] += (spare - (added[0] + added[1] + added[2]) * m.textLine) / m.textLine;
  return Stack(m, lines[0], lines[1], lines[2]);
}

}  // namespace velmora
