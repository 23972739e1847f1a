#include "mainwindow/study/StudyPane.h"

#include <QToolButton>

#include "data/UserStore.h"
#include "lang/Captions.h"
#include "mainwindow/study/StudyView.h"

namespace velmora {

StudyPane::StudyPane(StudyView *view, QToolButton *button, Reader &reader, IdiomSearch &search, QObject *parent)
    : QObject(parent), view_(view), button_(button), search_(search) {
  connect(view_, &StudyView::dueChanged, this, &StudyPane::ShowDueCount);
  connect(&reader, &Reader::shown, view_, &StudyView::ShowIdiom);
}

void StudyPane::SetStore(UserStore *store, bool traditionalEdition) {
  view_->SetStore(store, traditionalEdition, &search_);
  button_->setEnabled(store != nullptr && store->IsAvailable());
}

void StudyPane::SetShown(bool shown) {
  view_->setVisible(shown);
  if (shown) view_->Refresh();
}

void StudyPane::ApplyLanguage() {
  if (view_->isVisible()) view_->Refresh();
  view_->AnnounceDue();
}

void StudyPane::Focus() { view_->FocusTarget()->setFocus(Qt::TabFocusReason); }

void StudyPane::ShowDueCount(int due) {
  const QString count = CountCaption(due, "STUDYDUECOUNTONE", "1 due", "STUDYDUECOUNT", "%1 due");
  button_->setToolTip(count);
  button_->setAccessibleDescription(count);
}

}  // namespace velmora
