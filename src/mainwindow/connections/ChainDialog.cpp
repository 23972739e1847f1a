#include "mainwindow/connections/ChainDialog.h"

#include <QDate>
#include <algorithm>
#include <random>

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

#include "data/IdiomStore.h"
#include "dictionary/IdiomFrequencies.h"
#include "dictionary/IdiomMatcher.h"
#include "lang/Captions.h"
#include "mainwindow/DesignControls.h"
#include "mainwindow/connections/RelatedLoader.h"
#include "platform/LanguageTexts.h"
#include "practice/ChainGame.h"
#include "practice/MissingCharacterQuiz.h"

namespace velmora {

namespace {

constexpr int kShownMatches = 30;

QListWidget *List(QWidget *parent, const char *name, const char *key, const char *accessibleName) {
  auto *list = new QListWidget(parent);
  list->setObjectName(QLatin1String(name));
  SetLanguageName(list, key, accessibleName);
  return list;
}

}  // namespace

ChainDialog::ChainDialog(Services services, QWidget *parent) : QDialog(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("frmChain"));
  SetLanguageText(this, TextRole::Title, "CHAINTITLE", "Idiom chain");
  SetLanguageName(this, "CHAINTITLE", "Idiom chain");
  rule_ = new QComboBox(this);
  rule_->setObjectName(QStringLiteral("cboChainRule"));
  SetLanguageName(rule_, "CHAINRULE", "Rule");
  rule_->addItems({QString(), QString(), QString()});
  level_ = new QComboBox(this);
  level_->setObjectName(QStringLiteral("cboChainLevel"));
  SetLanguageName(level_, "CHAINLEVEL", "Level");
  level_->addItems({QString(), QString()});
  WordChoices();
  newRound_ = NamedButton(this, "cmdChainNew", QString());
  SetLanguageCaption(newRound_, "CHAINNEW", "New round");
  today_ = NamedButton(this, "cmdChainToday", QString());
  SetLanguageCaption(today_, "CHAINTODAY", "Today's round");
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("lblChainStatus"));
  status_->setWordWrap(true);
  status_->setTextFormat(Qt::PlainText);
  chain_ = List(this, "lstChain", "CHAINLIST", "Chain");
  // A move's reading and meaning wrap under its idiom; moves stand apart.
  chain_->setWordWrap(true);
  chain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  chain_->setSpacing(3);
  key_ = new QLineEdit(this);
  key_->setObjectName(QStringLiteral("txtChainKey"));
  SetLanguageName(key_, "CHAINYOURS", "Your idiom");
  SetLanguageText(key_, TextRole::Placeholder, "CHAINKEYHINT", "pinyin, initials or characters");
  matches_ = List(this, "lstChainMatches", "CHAINMAYFOLLOW", "Idioms that may follow");
  // A line each, cut at the list's edge: the whole meaning is the item's tool tip.
  matches_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  matches_->setTextElideMode(Qt::ElideRight);
  matches_->setUniformItemSizes(true);
  hint_ = NamedButton(this, "cmdChainHint", QString());
  SetLanguageCaption(hint_, "CHAINHINT", "Hint");
  best_ = new QLabel(this);
  best_->setObjectName(QStringLiteral("lblChainBest"));
  best_->setTextFormat(Qt::PlainText);

  auto *choices = new QHBoxLayout;
  choices->addWidget(rule_, 1);
  choices->addWidget(level_);
  choices->addWidget(newRound_);
  choices->addWidget(today_);
  auto *lists = new QHBoxLayout;
  lists->addWidget(chain_, 1);
  auto *answer = new QVBoxLayout;
  answer->addWidget(key_);
  answer->addWidget(matches_, 1);
  lists->addLayout(answer, 1);
  auto *bottom = new QHBoxLayout;
  bottom->addWidget(hint_);
  bottom->addStretch(1);
  bottom->addWidget(best_);
  auto *column = new QVBoxLayout(this);
  column->addLayout(choices);
  column->addWidget(status_);
  column->addLayout(lists, 1);
  column->addLayout(bottom);
  resize(560, 420);

  connect(newRound_, &QPushButton::clicked, this, &ChainDialog::NewRound);
  connect(today_, &QPushButton::clicked, this, &ChainDialog::TodaysRound);
  connect(rule_, &QComboBox::currentIndexChanged, this, &ChainDialog::NewRound);
  connect(level_, &QComboBox::currentIndexChanged, this, &ChainDialog::LevelChanged);
  connect(key_, &QLineEdit::textChanged, this, &ChainDialog::UpdateMatches);
  connect(key_, &QLineEdit::returnPressed, this, &ChainDialog::PlayChosen);
  connect(matches_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem *item) { Play(item->data(Qt::UserRole).toString()); });
  // A move's item shows more than its idiom, which it keeps apart.
  const auto lookUp = [this](QListWidgetItem *item) { emit idiomChosen(item->data(Qt::UserRole).toString()); };
  connect(chain_, &QListWidget::itemActivated, this, lookUp);
  connect(chain_, &QListWidget::itemClicked, this, lookUp);
  connect(hint_, &QPushButton::clicked, this, &ChainDialog::ShowHint);
  connect(services_.related, &RelatedLoader::ready, this, [this] {
    if (isVisible() && !game_) NewRound();
  });
  key_->installEventFilter(this);
  // Enter plays the idiom typed; it never presses a button of the panel, and
  // a click on one leaves the keys with the box.
  for (QPushButton *button : {newRound_, today_, hint_}) {
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
  }
}

ChainDialog::~ChainDialog() = default;

void ChainDialog::Open() {
  // In the interface language of now: it may have changed since the last game.
  Retranslate(this);
  WordChoices();
  show();
  raise();
  activateWindow();
  services_.related->Need();
  if (!game_) NewRound();
  key_->setFocus(Qt::OtherFocusReason);
}

bool ChainDialog::eventFilter(QObject *watched, QEvent *event) {
  // Down from the key goes to the idioms it matches, as in the search box.
  if (watched == key_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down &&
      matches_->count() > 0) {
    matches_->setFocus(Qt::OtherFocusReason);
    if (!matches_->currentItem()) matches_->setCurrentRow(0);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ChainDialog::WordChoices() {
  const char *const rules[][2] = {{"CHAINSAMECHAR", "Same character"},
                                  {"CHAINSAMETONE", "Same syllable and tone"},
                                  {"CHAINSAMESOUND", "Same syllable, any tone"}};
  for (int i = 0; i < 3; ++i) rule_->setItemText(i, CaptionOr(rules[i][0], rules[i][1]));
  level_->setItemText(0, CaptionOr("CHAINEASY", "Easy"));
  level_->setItemText(1, CaptionOr("CHAINHARD", "Hard"));
}

void ChainDialog::LevelChanged() {
  // A round under way is played out at the level it began with.
  if (game_ && !game_->Over() && game_->Chain().size() > 1) {
    status_->setText(CaptionOr("CHAINLEVELNEXT", "The new level applies from the next round.") + QLatin1Char(' ') +
                     Prompt());
    key_->setFocus(Qt::OtherFocusReason);
    return;
  }
  NewRound();
}

void ChainDialog::NewRound() {
  day_.clear();
  StartRound(std::random_device{}(), true);
}

void ChainDialog::TodaysRound() {
  const QDate today = QDate::currentDate();
  day_ = today.toString(Qt::ISODate);
  // The day's idiom: the same pick from the common idioms for everyone that day.
  StartRound(static_cast<unsigned>(today.year() * 10000 + today.month() * 100 + today.day()), false);
}

void ChainDialog::KeepBest() {
  if (!game_ || kept_) return;
  kept_ = true;
  const int length = static_cast<int>(game_->Chain().size());
  if (length > services_.readBest()) services_.writeBest(length);
  if (!day_.isEmpty() && services_.readDailyBest && length > services_.readDailyBest(day_))
    services_.writeDailyBest(day_, length);
}

void ChainDialog::ShowBest() {
  QString text = CaptionOr("CHAINBESTTEXT", "Best chain: %1").arg(services_.readBest());
  if (!day_.isEmpty() && services_.readDailyBest)
    text += QStringLiteral(" · ") + CaptionOr("CHAINTODAYBEST", "today's best: %1").arg(services_.readDailyBest(day_));
  best_->setText(text);
}

void ChainDialog::hideEvent(QHideEvent *event) {
  // A round left open counts as it stands.
  KeepBest();
  ShowBest();
  QDialog::hideEvent(event);
}

void ChainDialog::StartRound(unsigned seed, bool fromShown) {
  const RelatedIndex *index = services_.related->Index();
  KeepBest();
  ShowBest();
  if (!index) {
    status_->setText(CaptionOr("CHAINLOADING", "Loading the dictionary's idioms…"));
    return;
  }
  game_ =
      std::make_unique<ChainGame>(*index, static_cast<ChainRule>(rule_->currentIndex()),
                                  level_->currentIndex() == 0 ? ChainGame::Level::Easy : ChainGame::Level::Hard, seed);
  kept_ = false;
  if (services_.frequencies) game_->SetFrequencies(services_.frequencies());
  // From the idiom on display when another may follow it; else from any.
  const QString shown = fromShown ? services_.shownIdiom() : QString();
  const auto row = index->RowOf(shown);
  const bool started =
      (row && !index->Successors(*row, game_->Rule()).empty() && game_->Start(shown)) || game_->StartAtRandom();
  key_->clear();
  if (!started) {
    // No idioms, or an index whose rows are missing: no round to play.
    game_.reset();
    ShowChain();
    status_->setText(CaptionOr("CHAINNOROUND", "No round can start: the dictionary has no idioms to chain."));
    return;
  }
  ShowChain();
  status_->setText(Prompt());
  key_->setFocus(Qt::OtherFocusReason);
}

QString ChainDialog::Prompt() const {
  const QStringList legal = game_ ? game_->LegalNext() : QStringList();
  if (!game_ || legal.isEmpty()) return {};
  const QString last = game_->Chain().back();
  return CountCaption(legal.size(), "CHAINTURNONE", "Your turn: follow %2 (1 idiom can follow).", "CHAINTURN",
                      "Your turn: follow %2 (%1 idioms can follow).")
      .arg(last);
}

void ChainDialog::ShowChain() {
  chain_->clear();
  if (game_)
    for (const QString &idiom : game_->Chain()) {
      // Each move with its reading and the start of its meaning.
      const QString line = services_.describe ? services_.describe(idiom) : QString();
      auto *item = new QListWidgetItem(line.isEmpty() ? idiom : idiom + QLatin1Char('\n') + line, chain_);
      item->setData(Qt::UserRole, idiom);
      item->setToolTip(line);
    }
  chain_->scrollToBottom();
  UpdateMatches();
}

void ChainDialog::UpdateMatches() {
  matches_->clear();
  if (!game_ || game_->Over()) return;
  const QStringList legal = game_->LegalNext();
  const QString key = key_->text().trimmed();
  QStringList shown;
  if (key.isEmpty()) {
    shown = legal;  // all that may follow, to choose from
  } else if (const IdiomMatcher *matcher = services_.matcher()) {
    const QSet<QString> allowed(legal.begin(), legal.end());
    for (const auto &match : matcher->Find(key))
      if (const QString idiom = matcher->IdiomAt(match.row); allowed.contains(idiom)) shown << idiom;
  }
  CommonFirst(&shown);
  for (const QString &idiom : shown.mid(0, kShownMatches)) {
    // Each with its reading and the start of its meaning, as the chain's moves.
    const QString line = services_.describe ? services_.describe(idiom) : QString();
    auto *item = new QListWidgetItem(line.isEmpty() ? idiom : idiom + QStringLiteral("  ") + line, matches_);
    item->setData(Qt::UserRole, idiom);
    item->setToolTip(line);
  }
}

void ChainDialog::CommonFirst(QStringList *idioms) const {
  const IdiomFrequencies *counts = services_.frequencies ? services_.frequencies() : nullptr;
  const RelatedIndex *index = services_.related->Index();
  if (!counts || !counts->Known() || !index) return;
  std::vector<std::pair<QString, int>> rows;
  for (const QString &idiom : *idioms) rows.emplace_back(idiom, index->RowOf(idiom).value_or(-1));
  std::stable_sort(rows.begin(), rows.end(), [counts](const auto &a, const auto &b) {
    const uint32_t left = a.second < 0 ? 0 : counts->At(a.second), right = b.second < 0 ? 0 : counts->At(b.second);
    return left > right;
  });
  idioms->clear();
  for (const auto &[idiom, row] : rows) *idioms << idiom;
}

void ChainDialog::PlayChosen() {
  if (!game_) return;
  if (QListWidgetItem *item = matches_->currentItem() ? matches_->currentItem() : matches_->item(0);
      item && (!key_->text().trimmed().isEmpty() || matches_->currentItem()))
    return Play(item->data(Qt::UserRole).toString());
  const QString key = key_->text().trimmed();
  if (key.isEmpty()) return;
  // An idiom typed out whole gets the reason it may not follow.
  if (services_.related->Index()->RowOf(key)) return Play(key);
  status_->setText(
      CaptionOr("CHAINNOMATCH", "No idiom that may follow %1 matches “%2”.").arg(game_->Chain().back(), key));
}

void ChainDialog::Play(const QString &idiom) {
  if (!game_ || game_->Over()) return;
  const ChainGame::Verdict verdict = game_->Play(idiom);
  if (!verdict.accepted) {
    status_->setText(CaptionOr("CHAINREFUSED", "Refused: %1.").arg(verdict.reason));
    return;
  }
  key_->clear();
  const auto answer = game_->Answer();
  ShowChain();
  if (game_->Over()) return Finish(!answer);
  status_->setText(CaptionOr("CHAINANSWER", "Velmora: %1. %2").arg(answer.value_or(QString()), Prompt()));
  key_->setFocus(Qt::OtherFocusReason);
}

void ChainDialog::Finish(bool learnerWon) {
  const int length = static_cast<int>(game_->Chain().size());
  KeepBest();
  ShowBest();
  const QStringList could = game_->CouldHaveFollowed();
  // Who won, first: the learner when the computer had no answer.
  status_->setText(
      CaptionOr("CHAINOVER", "%1The round is over: %2. Chain of %3%4")
          .arg((learnerWon ? CaptionOr("CHAINYOUWIN", "Velmora has no answer: you win.")
                           : CaptionOr("CHAINVELMORAWINS", "Velmora wins: you have no idiom to follow.")) +
                   QLatin1Char(' '),
               game_->Ending())
          .arg(length)
          .arg(could.isEmpty()
                   ? CaptionOr("CHAINOVEREND", ".")
                   : CaptionOr("CHAINALREADY", "; already in the chain: %1.").arg(could.join(QStringLiteral("、")))));
  newRound_->setFocus(Qt::OtherFocusReason);
}

void ChainDialog::ShowHint() {
  if (!game_) return;
  const auto hint = game_->Hint();
  if (!hint) return;
  const auto record = Record(*hint);
  const QString meaning = record ? record->note.section(QLatin1Char('\n'), 0, 0).left(80) : QString();
  status_->setText(CaptionOr("CHAINHINTTEXT", "Hint: %1… — %2").arg(Characters(*hint).value(0), meaning));
}

}  // namespace velmora
