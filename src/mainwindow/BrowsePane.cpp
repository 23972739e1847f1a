#include "BrowsePane.h"

#include <QGuiApplication>
#include <QSaveFile>

#include "config/FileHelpers.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "data/Conn.h"
#include "data/IdiomStore.h"
#include "data/UserStore.h"
#include "dictionary/FinderSource.h"
#include "dictionary/FlashcardDeck.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Twips.h"

namespace velmora {

namespace {

// Letter nodes and idiom nodes share one set of keys. A letter from A to Z
// keeps "M" and the letter, an idiom with a numeric code "M" and the code;
// anything else carries its kind as well, so that no letter and no idiom can
// ever claim the same key ("5" as a letter beside the idiom of code 5).
QString LetterKey(const QString &letter) {
  const bool plain = letter.size() == 1 && letter[0] >= u'A' && letter[0] <= u'Z';
  return NodeKey(plain ? letter : QStringLiteral("letter:") + letter);
}

QString IdiomKey(const QString &code) {
  bool numeric = !code.isEmpty();
  for (const QChar c : code) numeric = numeric && c >= u'0' && c <= u'9';
  return NodeKey(numeric ? code : QStringLiteral("code:") + code);
}

}  // namespace

QString ViewName(View view) {
  switch (view) {
    case View::Search: return QStringLiteral("KOVSearch");
    case View::Index: return QStringLiteral("KOVDir");
    case View::Favourites: return QStringLiteral("KOVFavourites");
  }
  return {};
}

std::optional<View> ViewNamed(const QString &name) {
  for (const View view : {View::Search, View::Index, View::Favourites})
    if (ViewName(view) == name) return view;
  return std::nullopt;
}

BrowsePane::BrowsePane(const MainWindowControls &controls, MatchPopup *matches, Reader &reader, QObject *parent)
    : QObject(parent), c_(controls), reader_(reader) {
  searchList_ = new IdiomSearchList(c_.txtSearchKey, c_.lstKovSearch, matches, this);
  connect(c_.cmdKOVSearch, &QAbstractButton::clicked, this, &BrowsePane::cmdKOVSearch_Click);
  connect(c_.cmdKOVTreeList, &QAbstractButton::clicked, this, &BrowsePane::cmdKOVTreeList_Click);
  connect(c_.cmdKOVFavourites, &QAbstractButton::clicked, this, &BrowsePane::cmdKOVFavourites_Click);
  connect(c_.cmdSearch, &QAbstractButton::clicked, searchList_, &IdiomSearchList::SearchNow);
  connect(c_.trvIdiomDir, &NodeTree::nodeClicked, this, &BrowsePane::trvIdiomDir_NodeClick);
  connect(c_.picFavourites, &FavouritesPanel::idiomChosen, this, &BrowsePane::ShowChosenIdiom);
  connect(c_.picFavourites, &FavouritesPanel::exportRequested, this, &BrowsePane::ExportFavourites);
  connect(&reader_, &Reader::recorded, this, [this] {
    if (view_ == View::Favourites) c_.picFavourites->Refresh();
  });
}

void BrowsePane::LoadIdiomList() {
  if (const auto code = HighestCode()) maxIdiomCode_ = *code;
  c_.Picture5->SetHighestCode(maxIdiomCode_);
  IdiomList list = AllIdioms();
  ReleaseQueryCaches();
  auto finderSource = FinderSource(list, ConnString());
  auto matcherSource = MatcherSource(list, ConnString());
  searchList_->Fill(std::move(list), std::move(finderSource), std::move(matcherSource));
}

void BrowsePane::ReadViewTitles() {
  searchViewTitle_ = ReadIni(QStringLiteral("Caption"), QStringLiteral("KOVTSearch"), 20);
  treeViewTitle_ = ReadIni(QStringLiteral("Caption"), QStringLiteral("KOVTTreeList"), 20);
  favouritesViewTitle_ = ReadIni(QStringLiteral("Caption"), QStringLiteral("KOVTFavourites"), 100);
  if (favouritesViewTitle_.isEmpty()) favouritesViewTitle_ = QStringLiteral("Favourites");
  c_.cmdKOVTitle->setText(view_ == View::Search  ? searchViewTitle_
                          : view_ == View::Index ? treeViewTitle_
                                                 : favouritesViewTitle_);
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
  c_.cmdKOVFavourites->resize(Px(view_ == View::Favourites ? 428 : 400), c_.cmdKOVFavourites->height());
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
    if (!treeLoaded_) {
      QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
      LoadIdiomTree();
      QGuiApplication::restoreOverrideCursor();
      treeLoaded_ = true;
    }
    c_.cmdKOVTreeList->resize(Px(428), c_.cmdKOVTreeList->height());
    c_.cmdKOVSearch->resize(Px(400), c_.cmdKOVSearch->height());
  } else {
    c_.cmdKOVTitle->setText(favouritesViewTitle_);
    c_.picSearchLine->hide();
    c_.lstKovSearch->hide();
    c_.trvIdiomDir->hide();
    c_.picFavourites->Refresh();
    c_.cmdKOVTreeList->resize(Px(400), c_.cmdKOVTreeList->height());
    c_.cmdKOVSearch->resize(Px(400), c_.cmdKOVSearch->height());
  }
}

void BrowsePane::FocusCurrentView() {
  if (view_ == View::Search) c_.lstKovSearch->setFocus(Qt::TabFocusReason);
  else if (view_ == View::Index) c_.trvIdiomDir->setFocus(Qt::TabFocusReason);
  else c_.picFavourites->CurrentList()->setFocus(Qt::TabFocusReason);
}

void BrowsePane::SearchAgain(const QString &idiom) {
  c_.txtSearchKey->setText(QString());
  c_.txtSearchKey->setText(idiom);
  view_ = View::Search;
  ApplyViewMode();
  // Going back to it is a choice of it.
  searchList_->SearchNow();
}

void BrowsePane::LoadIdiomTree() {
  NodeTree *tree = c_.trvIdiomDir;
  tree->setUpdatesEnabled(false);
  tree->Clear();
  for (const LetterCount &letter : LetterCounts()) {
    const QString key = LetterKey(letter.letter);
    tree->AddNode({}, key, letter.letter + QLatin1Char('(') + QString::number(letter.count) + QLatin1Char(')'),
                  QStringLiteral("book"));
    tree->SetExpandedImage(key, QStringLiteral("open"));
    std::vector<NodeTree::NewNode> idioms;
    for (const FiledIdiom &idiom : IdiomsFiledUnder(letter.letter))
      idioms.push_back({IdiomKey(idiom.code), idiom.idiom, QStringLiteral("black"), QStringLiteral("select")});
    tree->AddChildren(key, idioms);
  }
  tree->setUpdatesEnabled(true);
}

void BrowsePane::trvIdiomDir_NodeClick() {
  const QTreeWidgetItem *node = c_.trvIdiomDir->currentItem();
  if (node == nullptr) return;
  const QString idiom = node->text(0);
  if (node->childCount() > 0 || idiom == reader_.CurrentIdiom()) return;
  reader_.ShowIdiom(idiom, Reader::Reason::Chosen);
}

void BrowsePane::ShowChosenIdiom(const QString &idiom) {
  if (idiom.isEmpty() || idiom == reader_.CurrentIdiom()) return;
  if (!searchList_->ChooseIdiom(idiom)) reader_.ShowIdiom(idiom, Reader::Reason::Chosen);
}

void BrowsePane::ExportFavourites() {
  const QStringList idioms = c_.picFavourites->FavouriteIdioms();
  if (idioms.isEmpty()) return;
  const QString path = ChooseSaveFile(c_.picFavourites->window(), QStringLiteral("Export favourites"), QStringLiteral("velmora-favourites.txt"),
                                      QStringLiteral("Tab-separated text (*.txt *.tsv)"));
  if (path.isEmpty()) return;
  std::vector<IdiomRecord> records;
  for (const QString &idiom : idioms) {
    IdiomRecord record = Record(idiom).value_or(IdiomRecord{});
    record.idiom = idiom;
    records.push_back(record);
  }
  QSaveFile file(path);
  const bool saved = file.open(QIODevice::WriteOnly) && file.write(FlashcardDeck(records)) >= 0 && file.commit();
  if (!saved)
    ShowMessageBox({QStringLiteral("The favourites could not be written to %1: %2").arg(path, file.errorString()),
                    kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
}

}  // namespace velmora
