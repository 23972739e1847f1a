#include "mainwindow/characters/CharacterCard.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include "dictionary/CedictMarkup.h"
#include "lang/Captions.h"
#include "mainwindow/DesignControls.h"
#include "mainwindow/characters/StrokeView.h"
#include "platform/LanguageTexts.h"

namespace velmora {

namespace {

QLabel *WrappedLabel(QWidget *parent, const char *name) {
  auto *label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

CharacterCard::CharacterCard(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmCharacter"));
  auto *column = new QVBoxLayout(this);
  auto *top = new QHBoxLayout;
  big_ = WrappedLabel(this, "lblCharacter");
  big_->setWordWrap(false);
  QFont large = big_->font();
  large.setPixelSize(64);
  big_->setFont(large);
  top->addWidget(big_);
  auto *facts = new QVBoxLayout;
  readings_ = WrappedLabel(this, "lblCharacterReading");
  count_ = WrappedLabel(this, "lblStrokeCount");
  facts->addWidget(readings_);
  facts->addWidget(count_);
  facts->addStretch(1);
  top->addLayout(facts, 1);
  column->addLayout(top);
  strokes_ = new StrokeView(this);
  column->addWidget(strokes_, 1);
  missing_ = WrappedLabel(this, "lblNoStrokes");
  column->addWidget(missing_);
  auto *buttons = new QHBoxLayout;
  play_ = NamedButton(this, "cmdStrokePlay", QString());
  step_ = NamedButton(this, "cmdStrokeStep", QString());
  replay_ = NamedButton(this, "cmdStrokeReplay", QString());
  for (QPushButton *button : {play_, step_, replay_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  column->addLayout(buttons);
  senses_ = WrappedLabel(this, "lblCharacterSenses");
  // A long entry scrolls rather than being cut.
  sensesArea_ = new QScrollArea(this);
  sensesArea_->setObjectName(QStringLiteral("scrCharacterSenses"));
  sensesArea_->setWidget(senses_);
  sensesArea_->setWidgetResizable(true);
  sensesArea_->setFrameShape(QFrame::NoFrame);
  sensesArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sensesArea_->setMaximumHeight(senses_->fontMetrics().lineSpacing() * 6 + 4);
  column->addWidget(sensesArea_);
  idiomsTitle_ = WrappedLabel(this, "lblCharacterIdioms");
  column->addWidget(idiomsTitle_);
  idioms_ = new QListWidget(this);
  idioms_->setObjectName(QStringLiteral("lstCharacterIdioms"));
  // Room for a good many idioms: the card is there to show them.
  idioms_->setMinimumHeight(idioms_->fontMetrics().height() * 8);
  column->addWidget(idioms_, 2);
  connect(play_, &QPushButton::clicked, this, [this] { strokes_->IsPlaying() ? strokes_->Pause() : strokes_->Play(); });
  connect(step_, &QPushButton::clicked, strokes_, &StrokeView::Step);
  connect(replay_, &QPushButton::clicked, strokes_, &StrokeView::Replay);
  connect(strokes_, &StrokeView::progressed, this, &CharacterCard::ShowProgress);
  connect(idioms_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem *item) { emit idiomChosen(item->text()); });
  connect(idioms_, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { emit idiomChosen(item->text()); });
  // The idiom's characters before and after, whatever has the focus.
  for (const auto &[key, step] : {std::pair{Qt::Key_Left, -1}, std::pair{Qt::Key_Right, 1}}) {
    auto *shortcut = new QShortcut(QKeySequence(key), this);
    connect(shortcut, &QShortcut::activated, this, [this, step = step] { emit neighbourWanted(step); });
  }
  resize(340, 600);
  ApplyLanguage();
}

void CharacterCard::ApplyLanguage() {
  SetLanguageCaption(step_, "STROKESTEP", "Step");
  SetLanguageCaption(replay_, "STROKEREPLAY", "Replay");
  SetLanguageName(idioms_, "CHARIDIOMSLIST", "Idioms with this character");
  missing_->setText(CaptionOr("STROKENONE", "No stroke order is known for this character."));
  if (!character_.isEmpty()) {
    setWindowTitle(CaptionOr("CHARCARD", "Character %1").arg(character_));
    idiomsTitle_->setText(CaptionOr("CHARIDIOMS", "Idioms with %1").arg(character_));
  }
  ShowProgress();
}

void CharacterCard::Show(const Shown &shown) {
  character_ = shown.character;
  big_->setText(shown.character);
  big_->setAccessibleName(shown.character);
  QStringList lines;
  if (!shown.reading.isEmpty()) lines << CaptionOr("CHARREADING", "Read %1 in this idiom").arg(shown.reading);
  if (shown.readings.size() > 1)
    lines << CaptionOr("CHARREADINGS", "Its readings in idioms: %1")
                 .arg(shown.readings.join(CaptionOr("LISTCOMMA", ", ")));
  readings_->setText(lines.join(QLatin1Char('\n')));
  QStringList senses;
  const CedictWords words{CaptionOr("CEDICTMEASURE", "measure word: %1"),
                          CaptionOr("CEDICTVARIANT", "variant of %1 (%2)"),
                          CaptionOr("CEDICTALSO", "also pronounced %1"), CaptionOr("LISTCOMMA", ", ")};
  if (shown.strokes)
    for (const CharacterStrokes::Sense &sense : shown.strokes->senses)
      senses << QStringLiteral("%1  %2").arg(sense.reading, RenderCedictMarkup(sense.english, words));
  senses_->setText(senses.join(QLatin1Char('\n')));
  sensesArea_->setVisible(!senses.isEmpty());
  const bool hasStrokes = shown.strokes && !shown.strokes->strokes.isEmpty();
  strokes_->SetStrokes(hasStrokes ? &*shown.strokes : nullptr);
  strokes_->setVisible(hasStrokes);
  missing_->setVisible(!hasStrokes);
  idioms_->clear();
  idioms_->addItems(shown.idioms);
  ApplyLanguage();
  // Shown, the character is written for the learner to watch; Space pauses.
  if (hasStrokes) strokes_->Replay();
  (hasStrokes ? static_cast<QWidget *>(play_) : idioms_)->setFocus(Qt::OtherFocusReason);
}

void CharacterCard::ShowProgress() {
  const int count = strokes_->StrokeCount();
  count_->setText(count == 0 ? QString()
                             : CountCaption(count, "STROKECOUNTONE", "1 stroke", "STROKECOUNT", "%1 strokes"));
  SetLanguageCaption(play_, strokes_->IsPlaying() ? "STROKEPAUSE" : "STROKEPLAY",
                     strokes_->IsPlaying() ? "Pause" : "Play");
  const QString at =
      CaptionOr("STROKEAT", "%1 of %2 strokes written").arg(std::min(strokes_->Written(), count)).arg(count);
  strokes_->setAccessibleDescription(at);
  step_->setEnabled(count > 0);
  replay_->setEnabled(count > 0);
  play_->setEnabled(count > 0);
}

}  // namespace velmora
