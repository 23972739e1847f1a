// The main window's layout: panes in their grid, controls fitted to the
// panes, the nickname label after the name.
#include <cmath>

#include "layout/ControlArrangement.h"
#include "frmVELM.h"
#include "platform/Twips.h"

namespace velmora {

namespace {

void SetWidth(QWidget *control, const std::optional<double> &twips) {
  if (twips) control->resize(Px(*twips), control->height());
}

void SetHeight(QWidget *control, const std::optional<double> &twips) {
  if (twips) control->resize(control->width(), Px(*twips));
}

void SetLeft(QWidget *control, const std::optional<double> &twips) {
  if (twips) control->move(Px(*twips), control->y());
}

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
  const Arrangement a = velmora::ArrangeControls(input);
  SetWidth(c_.Image2, a.footerImageWidth);
  SetWidth(c_.Image5, a.bannerImageWidth);
  SetWidth(c_.Image10, a.headerImageWidth);
  SetWidth(c_.Picture5, a.quizWidth);
  SetHeight(c_.Image4, a.barImageHeight);
  SetHeight(c_.Image9, a.stripImageHeight);
  SetHeight(c_.Picture5, a.quizHeight);
  SetHeight(c_.trvIdiomDir, a.treeHeight);
  SetHeight(c_.lstKovSearch, a.listHeight);
  SetLeft(c_.cmdAbout, a.aboutLeft);
  SetLeft(c_.cmdHelp, a.helpLeft);
  SetLeft(c_.cmdSetting, a.settingLeft);
  SetLeft(c_.Command1, a.command1Left);
  SetWidth(c_.txtDetailed, a.detailedWidth);
  for (QWidget *field : std::initializer_list<QWidget *>{c_.txtIdiom, c_.txtExplain, c_.txtDerivation, c_.txtExample})
    SetWidth(field, a.fieldWidth);
  SetHeight(c_.txtDetailed, a.detailedHeight);
  // The favourites view stands where the index tree does.
  SetHeight(c_.picFavourites, a.treeHeight);
  FitListPaneWidth(c_);
  detail_->ApplyTextScale();
}

}  // namespace velmora
