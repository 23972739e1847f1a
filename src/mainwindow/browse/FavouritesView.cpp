#include "mainwindow/browse/FavouritesView.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "data/UserStore.h"
#include "mainwindow/DesignControls.h"
#include "platform/LanguageTexts.h"
#include "platform/ListHeader.h"
#include "platform/Twips.h"

namespace velmora {

namespace {

QString Day(const QDateTime &when) { return when.toLocalTime().date().toString(Qt::ISODate); }

}  // namespace

FavouritesView::FavouritesView(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picFavourites"));
  PlaceAt(this, 30, 435, 2340, 2535);
  showFavourites_ = NamedButton(this, "cmdFavList", QStringLiteral("Favourites"));
  showHistory_ = NamedButton(this, "cmdHistoryList", QStringLiteral("History"));
  auto *tabs = new QButtonGroup(this);
  for (QPushButton *tab : {showFavourites_, showHistory_}) {
    tab->setCheckable(true);
    tabs->addButton(tab);
  }
  showFavourites_->setChecked(true);
  pages_ = new QStackedWidget(this);
  favourites_ = MakeList("lstFavourites", QString());
  SetLanguageName(favourites_, "ACCFAVLIST", "Favourites");
  history_ = MakeList("lstHistory", QString());
  SetLanguageName(history_, "ACCHISTORYLIST", "History");
  remove_ = NamedButton(this, "cmdFavRemove", QStringLiteral("Remove"));
  export_ = NamedButton(this, "cmdFavExport", QStringLiteral("Export…"));

  auto *tabRow = new QHBoxLayout;
  tabRow->setSpacing(2);
  tabRow->addWidget(showFavourites_);
  tabRow->addWidget(showHistory_);
  auto *actionRow = new QHBoxLayout;
  actionRow->addWidget(remove_);
  actionRow->addWidget(export_);
  auto *column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  column->addLayout(tabRow);
  column->addWidget(pages_, 1);
  column->addLayout(actionRow);

  // toggled, so that a screen reader's Toggle turns the page too.
  connect(showFavourites_, &QPushButton::toggled, this, [this](bool on) {
    if (on) ShowHistory(false);
  });
  connect(showHistory_, &QPushButton::toggled, this, [this](bool on) {
    if (on) ShowHistory(true);
  });
  connect(remove_, &QPushButton::clicked, this, &FavouritesView::RemoveCurrentFavourite);
  connect(export_, &QPushButton::clicked, this, &FavouritesView::exportRequested);
  hide();
}

QTreeWidget *FavouritesView::MakeList(const char *name, const QString &accessibleName) {
  auto *list = new QTreeWidget(pages_);
  list->setObjectName(QLatin1String(name));
  list->setAccessibleName(accessibleName);
  list->setColumnCount(2);
  ListHeader::InstallOn(list);
  list->setHeaderHidden(true);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->header()->setStretchLastSection(false);
  list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  pages_->addWidget(list);
  // A click, Enter or an arrow key on an entry shows its idiom, as in the
  // idiom list; filling the list shows nothing.
  auto choose = [this](QTreeWidgetItem *item) {
    if (item != nullptr && !refreshing_) emit idiomChosen(item->text(0));
  };
  connect(list, &QTreeWidget::itemClicked, this, choose);
  connect(list, &QTreeWidget::itemActivated, this, choose);
  connect(list, &QTreeWidget::currentItemChanged, this, [list, choose](QTreeWidgetItem *item) {
    if (list->hasFocus()) choose(item);
  });
  list->installEventFilter(this);
  return list;
}

QTreeWidget *FavouritesView::CurrentList() const { return showHistory_->isChecked() ? history_ : favourites_; }

void FavouritesView::ShowHistory(bool history) {
  (history ? showHistory_ : showFavourites_)->setChecked(true);
  pages_->setCurrentWidget(history ? history_ : favourites_);
  remove_->setEnabled(!history);
}

void FavouritesView::Fill(QTreeWidget *list, const std::vector<std::pair<QString, QString>> &rows) {
  list->clear();
  QList<QTreeWidgetItem *> items;
  for (const auto &[idiom, day] : rows) items << new QTreeWidgetItem(QStringList{idiom, day});
  list->addTopLevelItems(items);
  MarkShown(list);
}

void FavouritesView::ShowShown(const QString &idiom) {
  shown_ = idiom;
  const bool wasRefreshing = std::exchange(refreshing_, true);
  for (QTreeWidget *list : {favourites_, history_}) MarkShown(list);
  refreshing_ = wasRefreshing;
}

void FavouritesView::MarkShown(QTreeWidget *list) {
  // The idiom on display is the one marked, not the list's first.
  const QList<QTreeWidgetItem *> found = list->findItems(shown_, Qt::MatchExactly, 0);
  if (found.isEmpty()) {
    list->setCurrentItem(nullptr);
    list->clearSelection();
    return;
  }
  list->setCurrentItem(found.front());
  list->scrollToItem(found.front());
}

void FavouritesView::Refresh() {
  if (store_ == nullptr) return;
  refreshing_ = true;
  std::vector<std::pair<QString, QString>> rows;
  for (const UserStore::Entry &entry : store_->Favourites()) rows.emplace_back(entry.idiom, Day(entry.when));
  Fill(favourites_, rows);
  rows.clear();
  for (const UserStore::Entry &entry : store_->History()) rows.emplace_back(entry.idiom, Day(entry.when));
  Fill(history_, rows);
  export_->setEnabled(favourites_->topLevelItemCount() > 0);
  refreshing_ = false;
}

QList<QWidget *> FavouritesView::TabOrder() const {
  return {showFavourites_, showHistory_, favourites_, history_, remove_, export_};
}

QStringList FavouritesView::FavouriteIdioms() const {
  QStringList idioms;
  for (int i = 0; i < favourites_->topLevelItemCount(); ++i) idioms << favourites_->topLevelItem(i)->text(0);
  return idioms;
}

void FavouritesView::RemoveCurrentFavourite() {
  const QTreeWidgetItem *item = favourites_->currentItem();
  if (store_ == nullptr || item == nullptr) return;
  store_->SetFavourite(item->text(0), false);
  Refresh();
  emit favouritesChanged();
}

bool FavouritesView::eventFilter(QObject *watched, QEvent *event) {
  if (watched == favourites_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
    RemoveCurrentFavourite();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace velmora
