#include "mainwindow/connections/ConnectionsPane.h"

#include <QShortcut>

#include "data/StudyStore.h"
#include "data/UserStore.h"
#include "dictionary/IdiomSearch.h"
#include "dictionary/Pinyin.h"
#include "mainwindow/connections/ChainDialog.h"
#include "mainwindow/connections/RelatedLoader.h"
#include "mainwindow/connections/RelatedTree.h"
#include "platform/ShortcutToolTip.h"

namespace velmora {

namespace {

const QString kBestChain = QStringLiteral("chainBest"), kDailyChain = QStringLiteral("chainDaily");

}  // namespace

ConnectionsPane::ConnectionsPane(const DetailControls &controls, Reader &reader, IdiomSearch &search, QWidget *window)
    : QObject(window),
      c_(controls),
      reader_(reader),
      window_(window),
      related_(new RelatedLoader(this)),
      search_(search) {
  connect(c_.cmdRelated, &QAbstractButton::toggled, this, &ConnectionsPane::ShowRelated);
  // The combined text and the related idioms take turns in one place.
  connect(c_.Command2, &QAbstractButton::clicked, this, [this] { c_.cmdRelated->setChecked(false); });
  connect(c_.cmdChain, &QAbstractButton::clicked, this, &ConnectionsPane::OpenChain);
  auto *keys = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), window);
  NameShortcutInToolTip(c_.cmdChain, keys->key());
  connect(keys, &QShortcut::activated, this, &ConnectionsPane::OpenChain);
  connect(&reader_, &Reader::shown, this, [this] {
    if (c_.trvRelated->isVisible()) FillRelated();
  });
  connect(related_, &RelatedLoader::ready, this, [this] {
    if (c_.trvRelated->isVisible()) FillRelated();
  });
  connect(c_.trvRelated, &RelatedTree::idiomChosen, this, &ConnectionsPane::idiomChosen);
}

void ConnectionsPane::OpenChain() {
  // Made the first time it is asked for: the start does not build it.
  if (!chain_) {
    chain_ = new ChainDialog(
        {related_, [this] { return &search_.Matcher(); }, [this] { return &search_.Frequencies(); },
         [this] { return reader_.CurrentIdiom(); }, [this] { return ReadBest(); },
         [this](int length) { WriteBest(length); }, &LineOf, [this](const QString &day) { return ReadDailyBest(day); },
         [this](const QString &day, int length) { WriteDailyBest(day, length); }},
        window_);
    connect(chain_, &ChainDialog::idiomChosen, this, &ConnectionsPane::idiomChosen);
  }
  chain_->Open();
}

void ConnectionsPane::ShowRelated(bool shown) {
  c_.trvRelated->setVisible(shown);
  if (!shown) return;
  emit relatedShown();
  c_.trvRelated->raise();
  related_->Need();
  FillRelated();
}

QString ConnectionsPane::LineOf(const QString &idiom) {
  // The reading, then the start of the meaning: its first line, shortened.
  constexpr int kMeaningStart = 48;
  const auto record = Record(idiom);
  if (!record) return {};
  const QString reading = FirstReading(record->spell);
  QString meaning = record->note.section(QLatin1Char('\n'), 0, 0).simplified();
  if (meaning.size() > kMeaningStart) meaning = meaning.left(kMeaningStart - 1) + QStringLiteral("…");
  return meaning.isEmpty() ? reading : reading + QStringLiteral(" — ") + meaning;
}

void ConnectionsPane::FillRelated() {
  const RelatedIndex *index = related_->Index();
  if (!index) return c_.trvRelated->ShowLoading();
  // An idiom a review asks about has no relations to give it away.
  const QString idiom = reader_.IsWithheld() ? QString() : reader_.CurrentIdiom();
  // Each section to 40, the common ones first; the tree shows the first of them.
  c_.trvRelated->Fill(
      idiom, index->Find(idiom, &search_.Frequencies(), 40), RelatedTermsOf(idiom),
      [index](const QString &other) { return index->RowOf(other).has_value(); }, &LineOf);
}

int ConnectionsPane::ReadBest() const {
  if (!store_ || !store_->IsAvailable()) return 0;
  return StudyStore(*store_, false).Setting(kBestChain, QStringLiteral("0")).toInt();
}

int ConnectionsPane::ReadDailyBest(const QString &day) const {
  if (!store_ || !store_->IsAvailable()) return 0;
  // "2026-12-09:7": the day's best, kept until another day's round.
  const QString kept = StudyStore(*store_, false).Setting(kDailyChain, QString());
  return kept.section(QLatin1Char(':'), 0, 0) == day ? kept.section(QLatin1Char(':'), 1, 1).toInt() : 0;
}

void ConnectionsPane::WriteDailyBest(const QString &day, int length) {
  if (store_ && store_->IsAvailable())
    StudyStore(*store_, false).SetSetting(kDailyChain, day + QLatin1Char(':') + QString::number(length));
}

void ConnectionsPane::WriteBest(int length) {
  if (store_ && store_->IsAvailable()) StudyStore(*store_, false).SetSetting(kBestChain, QString::number(length));
}

}  // namespace velmora
