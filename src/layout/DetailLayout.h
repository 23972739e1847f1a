#pragma once
// The detail pane's boxes from top to bottom, in pixels. Their tops and
// heights come from the fonts they show, so that no box clips a line: the
// design's heights were drawn for fonts of 12-pixel lines, CJK faces take
// about 18. At the design size the boxes keep the design's order and two
// lines each for explanation, derivation and example; a taller pane shares
// its extra height among those three in whole lines, the explanation the
// largest share. Widths are not touched here.
namespace velmora {

struct DetailMetrics {
  int paneHeight;        // the detail pane now
  int designPaneHeight;  // the detail pane as designed
  int idiomBoxHeight;    // a one-line box that shows its font unclipped
  int spellBoxHeight;
  int labelHeight;
  int textLine;       // one line of the text boxes
  int textBoxChrome;  // a text box's frame and margins, both edges
};

struct BoxPlace {
  int top = 0, height = 0;
  int bottom() const { return top + height; }
};

struct DetailPlaces {
  BoxPlace idiom, spell, explainLabel, explain, derivationLabel, derivation, exampleLabel, example;
  // Lines each text box shows.
  int explainLines = 0, derivationLines = 0, exampleLines = 0;
};

// The design's top of the idiom box and of the explanation's label.
inline constexpr int kIdiomTopPx = 35;
inline constexpr int kExplainLabelTopPx = 80;

DetailPlaces PlaceDetailBoxes(const DetailMetrics &metrics);

// The idiom is shown larger once the pane is taller than designed.
inline bool DetailPaneHasRoom(int paneHeight, int designPaneHeight) { return paneHeight > designPaneHeight; }

}  // namespace velmora
