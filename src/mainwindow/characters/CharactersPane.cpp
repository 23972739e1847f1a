#include "mainwindow/characters/CharactersPane.h"

#include <QHash>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <tuple>

#include "config/ProgramValues.h"
#include "dictionary/CharacterStrokes.h"
#include "dictionary/IdiomMatcher.h"
#include "dictionary/IdiomSearch.h"
#include "dictionary/Pinyin.h"
#include "mainwindow/characters/CharacterCard.h"
#include "platform/LanguageTexts.h"
#include "platform/ShortcutToolTip.h"
#include "practice/MissingCharacterQuiz.h"

namespace velmora {

namespace {

// The idioms a card lists at most: the common ones a learner meets.
constexpr int kListedIdioms = 60;
// The idioms whose readings of the character the card counts.
constexpr size_t kReadingIdioms = 300;

}  // namespace

CharactersPane::CharactersPane(const DetailControls &controls, Reader &reader, IdiomSearch &search, QWidget *window)
    : QObject(window), c_(controls), reader_(reader), search_(search), window_(window) {
  c_.txtIdiom->installEventFilter(this);
  connect(&reader_, &Reader::shown, this, &CharactersPane::FollowShownIdiom);
  auto *keys = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), window);
  SetLanguageText(c_.txtIdiom, TextRole::ToolTip, "TIPIDIOMCARD", "Click a character to see its card");
  NameShortcutInToolTip(c_.txtIdiom, keys->key());
  connect(keys, &QShortcut::activated, this, [this] {
    const int at = c_.txtIdiom->hasFocus() ? CharacterAt(c_.txtIdiom->cursorPosition()) : 0;
    OpenCharacter(std::max(at, 0));
  });
}

CharactersPane::~CharactersPane() = default;

StrokeFile *CharactersPane::Strokes() {
  if (!strokesOpened_) {
    strokesOpened_ = true;
    strokes_ = StrokeFile::Open(InstallPath() + QStringLiteral("Data/strokes.dat"));
  }
  return strokes_.get();
}

int CharactersPane::CharacterAt(int cursor) const {
  const QString text = c_.txtIdiom->text();
  if (text.isEmpty()) return -1;
  // The character the click fell on: the one after the cursor, or the last.
  const int before = static_cast<int>(text.left(cursor).toUcs4().size());
  return std::min(before, static_cast<int>(text.toUcs4().size()) - 1);
}

std::pair<QStringList, QStringList> CharactersPane::IdiomsWith(const QString &character) {
  const IdiomMatcher &matcher = search_.Matcher();
  const IdiomFrequencies &frequencies = search_.Frequencies();
  std::vector<int> rows;
  for (const auto &match : matcher.Find(character))
    if (matcher.IdiomAt(match.row).contains(character)) rows.push_back(match.row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  // Common first; the others in list order.
  std::stable_sort(rows.begin(), rows.end(), [&frequencies](int a, int b) { return frequencies.Before(a, b); });
  QStringList idioms;
  QHash<QString, int> readings;
  // The readings as the common idioms give them: a few hundred tell them all.
  rows.resize(std::min<size_t>(rows.size(), kReadingIdioms));
  for (const int row : rows) {
    const QString idiom = matcher.IdiomAt(row);
    if (idioms.size() < kListedIdioms) idioms << idiom;
    // The syllable at each place the character stands (the compact reading
    // has one a character).
    const QStringList characters = Characters(idiom);
    const QStringList syllables = FirstReading(matcher.ReadingAt(row)).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (syllables.size() != characters.size()) continue;
    for (qsizetype i = 0; i < characters.size(); ++i)
      if (characters[i] == character) ++readings[NumberedToToneMarks(syllables[i])];
  }
  // A neutral tone (kou in 口口声声) is the toned syllable said lightly, no
  // reading of its own.
  for (const QString &reading : readings.keys())
    if (SyllableTone(reading) == 5 || SyllableTone(reading) == 0)
      for (const QString &other : readings.keys())
        if (other != reading && WithoutTones(other) == reading) {
          readings[other] += readings.take(reading);
          break;
        }
  QStringList byUse = readings.keys();
  std::sort(byUse.begin(), byUse.end(), [&readings](const QString &a, const QString &b) {
    return readings[a] != readings[b] ? readings[a] > readings[b] : a < b;
  });
  return {idioms, byUse};
}

void CharactersPane::OpenCharacter(int index) { ShowCharacter(index, true); }

void CharactersPane::FollowShownIdiom() {
  if (!card_ || !card_->isVisible()) return;
  const int same = static_cast<int>(Characters(reader_.CurrentIdiom()).indexOf(card_->Character()));
  ShowCharacter(std::max(same, 0), false);
}

void CharactersPane::ShowCharacter(int index, bool activate) {
  const IdiomRecord &record = reader_.Current();
  if (reader_.IsWithheld() || record.idiom.isEmpty()) return;
  const QStringList characters = Characters(record.idiom);
  if (characters.isEmpty()) return;
  index_ = std::clamp(index, 0, static_cast<int>(characters.size()) - 1);
  const QString character = characters[index_];
  const QStringList syllables = FirstReading(record.spell).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  CharacterCard::Shown shown;
  shown.character = character;
  if (syllables.size() == characters.size()) shown.reading = syllables[index_];
  if (StrokeFile *file = Strokes()) shown.strokes = file->Find(character);
  std::tie(shown.idioms, shown.readings) = IdiomsWith(character);
  if (!card_) {
    card_ = new CharacterCard(window_);
    connect(card_, &CharacterCard::idiomChosen, this, &CharactersPane::idiomChosen);
    connect(card_, &CharacterCard::neighbourWanted, this, [this](int step) { OpenCharacter(index_ + step); });
    PlaceBesideWindow();
  }
  card_->Show(shown);
  if (!activate) return;
  card_->show();
  card_->raise();
  card_->activateWindow();
}

void CharactersPane::PlaceBesideWindow() {
  // To the right of the window when the screen has room there, else over
  // the right of the detail pane.
  const QRect frame = window_->frameGeometry();
  const QRect screen = window_->screen() ? window_->screen()->availableGeometry() : QRect();
  QPoint at(frame.right() + 8, frame.top());
  if (screen.isValid() && at.x() + card_->width() > screen.right())
    at.setX(std::max(screen.left(), frame.right() - card_->width() - 16));
  card_->move(at);
}

void CharactersPane::ApplyLanguage() {
  if (card_) card_->ApplyLanguage();
}

bool CharactersPane::eventFilter(QObject *watched, QEvent *event) {
  // A click on a character, not a drag to select: its card.
  if (watched == c_.txtIdiom && event->type() == QEvent::MouseButtonRelease && !c_.txtIdiom->hasSelectedText()) {
    const auto *click = static_cast<QMouseEvent *>(event);
    const int at = CharacterAt(c_.txtIdiom->cursorPositionAt(click->position().toPoint()));
    if (click->button() == Qt::LeftButton && at >= 0) OpenCharacter(at);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace velmora
