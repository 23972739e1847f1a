// Zoom: the reading controls' text from 70 % to 250 % of the size the
// language gives it, in steps of 10 %.
#include <QSettings>

#include "frmVELM.h"
#include "layout/DetailLayout.h"
#include "layout/PaneGrid.h"
#include "platform/Twips.h"

namespace velmora {

namespace {

constexpr int kZoomStep = 10, kLeastZoom = 70, kMostZoom = 250;

// Scales a control's font from the size the language step gave it. A font
// set since the last scaling (a new language) becomes the new base.
void ScaleFont(QWidget *control, double factor) {
  QFont font = control->font();
  if (font.pointSizeF() <= 0) return;
  const double scaled = control->property("scaledPointSize").toDouble();
  if (scaled <= 0 || !qFuzzyCompare(font.pointSizeF(), scaled))
    control->setProperty("basePointSize", font.pointSizeF());
  const double size = control->property("basePointSize").toDouble() * factor;
  font.setPointSizeF(size);
  control->setFont(font);
  control->setProperty("scaledPointSize", font.pointSizeF());
}

}  // namespace

void frmVELM::ApplyTextScale() {
  const double zoom = zoomPercent_ / 100.0;
  const bool room = DetailPaneHasRoom(c_.Picture6->height(), Px(DesignRect(Pane::DetailPane).height()));
  for (QWidget *control : std::initializer_list<QWidget *>{c_.txtSpell, c_.txtExplain, c_.txtDerivation, c_.txtExample,
                                                            c_.txtDetailed, c_.lstKovSearch, matchPopup_})
    ScaleFont(control, zoom);
  ScaleFont(c_.txtIdiom, zoom * (room ? 1.5 : 1.0));
  ArrangeDetail();
}

void frmVELM::Zoom(int steps) {
  const int zoom = steps == 0 ? 100 : std::clamp(zoomPercent_ + steps * kZoomStep, kLeastZoom, kMostZoom);
  if (zoom == zoomPercent_) return;
  zoomPercent_ = zoom;
  ApplyTextScale();
}

}  // namespace velmora
