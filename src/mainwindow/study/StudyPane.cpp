#include "mainwindow/study/StudyPane.h"

#include <QDateTime>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "data/StudyStore.h"
#include "data/UserStore.h"
#include "lang/Captions.h"
#include "mainwindow/study/StudyView.h"

namespace velmora {

namespace {

// How often the store is asked whether another window changed it: a
// question of microseconds.
constexpr int kOutsideCheckMilliseconds = 2000;

}  // namespace

StudyPane::StudyPane(StudyView *view, QToolButton *button, Reader &reader, IdiomSearch &search, QObject *parent)
    : QObject(parent),
      view_(view),
      button_(button),
      search_(search),
      outsideChanges_(new QTimer(this)),
      midnight_(new QTimer(this)) {
  outsideChanges_->setInterval(kOutsideCheckMilliseconds);
  connect(outsideChanges_, &QTimer::timeout, this, &StudyPane::CheckOutsideChanges);
  midnight_->setSingleShot(true);
  connect(midnight_, &QTimer::timeout, this, [this] {
    RecountDue();
    RecountAtMidnight();
  });
  connect(view_, &StudyView::dueChanged, this, &StudyPane::ShowDueCount);
  connect(&reader, &Reader::shown, view_, &StudyView::ShowIdiom);
  // The idiom asked about is not shown beside its question.
  connect(view_, &StudyView::asking, &reader, &Reader::Withhold);
}

void StudyPane::SetStore(UserStore *store, bool traditionalEdition) {
  view_->SetStore(store, traditionalEdition, &search_);
  const bool available = store != nullptr && store->IsAvailable();
  store_ = available ? store : nullptr;
  cards_ = available ? std::make_unique<StudyStore>(*store_, traditionalEdition) : nullptr;
  button_->setEnabled(available);
  if (!available) return;
  // After the first frame: the favourites' cards may need writing.
  QTimer::singleShot(0, this, &StudyPane::RecountDue);
  storeVersion_ = store_->OutsideChanges();
  outsideChanges_->start();
  RecountAtMidnight();
}

StudyPane::~StudyPane() = default;

void StudyPane::RecountDue() { view_->RecountDue(); }

void StudyPane::StudyIdioms(const std::vector<QString> &idioms) {
  if (!cards_) return;
  // Chosen, as "Study this idiom" in the view does: studied like a
  // favourite's card, without being one.
  cards_->AddCards(idioms, QStringLiteral("chosen"), QDateTime::currentSecsSinceEpoch());
  RecountDue();
}

bool StudyPane::InStudy(const QString &idiom) const {
  if (!cards_) return false;
  const auto card = cards_->CardOf(idiom);
  return card && !card->suspended;
}

void StudyPane::CheckOutsideChanges() {
  if (!store_) return;
  const long long version = store_->OutsideChanges();
  if (version == storeVersion_) return;
  storeVersion_ = version;
  // Only counted: the other window has made its favourites' cards itself,
  // and writing here would in turn wake it, and so on.
  view_->AnnounceDue();
}

void StudyPane::RecountAtMidnight() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDateTime midnight = now.date().addDays(1).startOfDay();
  // A second past it, so that the new day has begun when the count is made.
  midnight_->start(static_cast<int>(std::min<qint64>(now.msecsTo(midnight) + 1000, 24LL * 3600 * 1000 + 1000)));
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
