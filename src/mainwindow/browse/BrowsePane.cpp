#include "mainwindow/browse/BrowsePane.h"

#include <QGuiApplication>
#include <QShortcut>

#include "config/FileHelpers.h"
#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "data/Conn.h"
#include "data/IdiomStore.h"
#include "data/UserStore.h"
#include "dictionary/FlashcardDeck.h"
#include "lang/Captions.h"
#include "mainwindow/browse/FavouritesView.h"
#include "mainwindow/browse/NodeTree.h"
#include "platform/FileDialogs.h"
#include "platform/ShortcutToolTip.h"
#include "platform/Twips.h"

namespace velmora {

QString ViewName(View view) {
  switch (view) {
    case View::Search: return QStringLiteral("KOVSearch");
    case View::Index: return QStringLiteral("KOVDir");
    case View::Favourites: return QStringLiteral("KOVFavourites");
    case View::Study: return QStringLiteral("KOVStudy");
  }
  return {};
}

std::optional<View> ViewNamed(const QString &name) {
  for (const View view : {View::Search, View::Index, View::Favourites, View::Study})
    if (ViewName(view) == name) return view;
  return std::nullopt;
}

BrowsePane::BrowsePane(const BrowseControls &controls, MatchPopup *matches, Reader &reader, IdiomSearch &search,
                       QObject *parent)
    : QObject(parent), c_(controls), reader_(reader), search_(search) {
  searchList_ = new SearchController(c_.txtSearchKey, c_.lstKovSearch, matches, search_, this);
  connect(c_.cmdKOVSearch, &QAbstractButton::clicked, this, &BrowsePane::cmdKOVSearch_Click);
  connect(c_.cmdKOVTreeList, &QAbstractButton::clicked, this, &BrowsePane::cmdKOVTreeList_Click);
  connect(c_.cmdKOVFavourites, &QAbstractButton::clicked, this, &BrowsePane::cmdKOVFavourites_Click);
  connect(c_.cmdSearch, &QAbstractButton::clicked, searchList_, &SearchController::SearchNow);
  connect(searchList_, &SearchController::nothingMatches, &reader_, &Reader::LookAway);
  index_ = new IndexView(c_.trvIdiomDir, reader_, this);
  connect(c_.picFavourites, &FavouritesView::idiomChosen, this, &BrowsePane::ShowChosenIdiom);
  connect(c_.picFavourites, &FavouritesView::exportRequested, this, &BrowsePane::ExportFavourites);
  connect(c_.cmdKOVStudy, &QAbstractButton::clicked, this, &BrowsePane::cmdKOVStudy_Click);
  auto *study = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_4), c_.picMList->window());
  NameShortcutInToolTip(c_.cmdKOVStudy, study->key());
  connect(study, &QShortcut::activated, this, [this] {
    if (c_.cmdKOVStudy->isEnabled()) c_.cmdKOVStudy->click();
  });
  connect(&reader_, &Reader::shown, c_.picFavourites,
          [this](const IdiomRecord &record) { c_.picFavourites->ShowShown(record.idiom); });
  connect(&reader_, &Reader::recorded, this, [this] {
    if (view_ == View::Favourites) c_.picFavourites->Refresh();
  });
}

void BrowsePane::LoadIdiomList() {
  if (const auto code = HighestCode()) maxIdiomCode_ = *code;
  IdiomList list = AllIdioms();
  ReleaseQueryCaches();
  search_.Open(list, ConnString());
  searchList_->Fill(std::move(list));
}

void BrowsePane::ReadViewTitles() {
  const QString language = LanguageFilePath();
  searchViewTitle_ = ReadIniFrom(language, QStringLiteral("Caption"), QStringLiteral("KOVTSearch"), 20);
  treeViewTitle_ = ReadIniFrom(language, QStringLiteral("Caption"), QStringLiteral("KOVTTreeList"), 20);
  favouritesViewTitle_ = ReadIniFrom(language, QStringLiteral("Caption"), QStringLiteral("KOVTFavourites"), 100);
  if (favouritesViewTitle_.isEmpty()) favouritesViewTitle_ = QStringLiteral("Favourites");
  studyViewTitle_ = ReadIniFrom(language, QStringLiteral("Caption"), QStringLiteral("KOVTStudy"), 100);
  if (studyViewTitle_.isEmpty()) studyViewTitle_ = QStringLiteral("Study");
  c_.cmdKOVTitle->setText(view_ == View::Search       ? searchViewTitle_
                          : view_ == View::Index      ? treeViewTitle_
                          : view_ == View::Favourites ? favouritesViewTitle_
                                                      : studyViewTitle_);
}

void BrowsePane::SetStore(UserStore *store) {
  c_.picFavourites->SetStore(store);
  c_.cmdKOVFavourites->setEnabled(store != nullptr && store->IsAvailable());
}

void BrowsePane::ShowView(View view) {
  view_ = view;
  ApplyViewMode();
  FocusCurrentView();
}

void BrowsePane::ApplyViewMode() {
  c_.picFavourites->setVisible(view_ == View::Favourites);
  emit studyViewShown(view_ == View::Study);
  c_.cmdKOVFavourites->resize(Px(view_ == View::Favourites ? 428 : 400), c_.cmdKOVFavourites->height());
  c_.cmdKOVStudy->resize(Px(view_ == View::Study ? 428 : 400), c_.cmdKOVStudy->height());
  if (view_ == View::Search) {
    c_.cmdKOVTitle->setText(searchViewTitle_);
    c_.cmdKOVTreeList->resize(Px(400), c_.cmdKOVTreeList->height());
    c_.cmdKOVSearch->resize(Px(428), c_.cmdKOVSearch->height());
    c_.picSearchLine->show();
    c_.lstKovSearch->show();
    c_.trvIdiomDir->hide();
  } else if (view_ == View::Index) {
    c_.cmdKOVTitle->setText(treeViewTitle_);
    c_.picSearchLine->hide();
    c_.trvIdiomDir->show();
    c_.lstKovSearch->hide();
    index_->LoadOnce();
    c_.cmdKOVTreeList->resize(Px(428), c_.cmdKOVTreeList->height());
    c_.cmdKOVSearch->resize(Px(400), c_.cmdKOVSearch->height());
  } else {
    c_.cmdKOVTitle->setText(view_ == View::Favourites ? favouritesViewTitle_ : studyViewTitle_);
    c_.picSearchLine->hide();
    c_.lstKovSearch->hide();
    c_.trvIdiomDir->hide();
    if (view_ == View::Favourites) c_.picFavourites->Refresh();
    c_.cmdKOVTreeList->resize(Px(400), c_.cmdKOVTreeList->height());
    c_.cmdKOVSearch->resize(Px(400), c_.cmdKOVSearch->height());
  }
}

void BrowsePane::FocusCurrentView() {
  if (view_ == View::Search)
    c_.lstKovSearch->setFocus(Qt::TabFocusReason);
  else if (view_ == View::Index)
    c_.trvIdiomDir->setFocus(Qt::TabFocusReason);
  else if (view_ == View::Favourites)
    c_.picFavourites->CurrentList()->setFocus(Qt::TabFocusReason);
  else
    emit studyFocusWanted();
}

void BrowsePane::SearchAgain(const QString &idiom) {
  c_.txtSearchKey->setText(QString());
  c_.txtSearchKey->setText(idiom);
  view_ = View::Search;
  ApplyViewMode();
  // Going back to it is a choice of it.
  searchList_->SearchNow();
}

void BrowsePane::ShowChosenIdiom(const QString &idiom) {
  if (idiom.isEmpty() || idiom == reader_.CurrentIdiom()) return;
  if (!searchList_->ChooseIdiom(idiom)) reader_.ShowIdiom(idiom, Reader::Reason::Chosen);
}

void BrowsePane::ExportFavourites() {
  const QStringList idioms = c_.picFavourites->FavouriteIdioms();
  if (idioms.isEmpty()) return;
  SaveToChosenFile(
      c_.picFavourites->window(), CaptionOr("FAVEXPORTTITLE", "Export favourites"),
      QStringLiteral("velmora-favourites.txt"), CaptionOr("FAVEXPORTFILES", "Tab-separated text (*.txt *.tsv)"),
      [&idioms] {
        std::vector<IdiomRecord> records;
        for (const QString &idiom : idioms) {
          IdiomRecord record = Record(idiom).value_or(IdiomRecord{});
          record.idiom = idiom;
          records.push_back(record);
        }
        return FlashcardDeck(records);
      },
      CaptionOr("FAVEXPORTWHAT", "The favourites"));
}

}  // namespace velmora
