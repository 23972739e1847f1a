// The main window's layout: panes in their grid, controls fitted to the
// panes.
#include "frmVELM.h"
#include "layout/ControlArrangement.h"
#include "mainwindow/browse/CreateBrowseControls.h"
#include "mainwindow/browse/FavouritesView.h"
#include "mainwindow/study/StudyView.h"
#include "platform/Twips.h"

namespace velmora {

namespace {

QRect PixelRect(const QRectF &twips) {
  return QRect(QPoint(Px(twips.left()), Px(twips.top())), QPoint(Px(twips.right()) - 1, Px(twips.bottom()) - 1));
}

}  // namespace

void frmVELM::LayOutPanes() {
  QWidget *client = centralWidget();
  c_.ActiveSizer1->setGeometry(client->rect());
  paneTwips_ = PaneRects(QSizeF(Twips(client->width()), Twips(client->height())));
  QWidget *panes[kPaneCount] = {c_.Picture1, c_.Picture4, c_.picMList, c_.Picture6, c_.Picture3, c_.Image1, c_.Image3};
  for (int i = 0; i < kPaneCount; ++i) panes[i]->setGeometry(PixelRect(paneTwips_[static_cast<size_t>(i)]));
}

void frmVELM::ArrangeControls() {
  const auto size = [this](Pane pane) { return paneTwips_[static_cast<size_t>(pane)].size(); };
  const ArrangeInput input{size(Pane::Banner).width(),     size(Pane::Footer).width(),
                           size(Pane::ButtonBar).height(), size(Pane::ListPane).height(),
                           size(Pane::DetailPane).width(), size(Pane::DetailPane).height(),
                           Twips(c_.Image10->height()),    Twips(c_.cmdAbout->width())};
  ApplyArrangement(c_, velmora::ArrangeControls(input));
  FitListPaneWidth(c_);
  // The study view stands where the favourites do, as wide.
  c_.picStudy->resize(c_.picFavourites->width(), c_.picStudy->height());
  detail_->ApplyTextScale();
}

}  // namespace velmora
