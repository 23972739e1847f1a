#include "mainwindow/study/StudyQuestionView.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "dictionary/TeachingText.h"
#include "lang/Captions.h"
#include "mainwindow/DesignControls.h"
#include "mainwindow/study/StudyPageParts.h"
#include "platform/LanguageTexts.h"

namespace velmora {

namespace {

const char *const kGradeNames[] = {"Again", "Hard", "Good", "Easy"};
const char *const kGradeKeys[] = {"GRADEAGAIN", "GRADEHARD", "GRADEGOOD", "GRADEEASY"};

// A wait as a grade button tells it: "10 min", "3 h", "8 d", "4 mo", "2 y".
QString WaitCaption(int64_t seconds) {
  constexpr int64_t kHour = 3600, kDay = 86400;
  if (seconds < kHour) return CaptionOr("WAITMINUTES", "%1 min").arg(std::max<int64_t>(1, (seconds + 30) / 60));
  if (seconds < kDay) return CaptionOr("WAITHOURS", "%1 h").arg((seconds + kHour / 2) / kHour);
  const int64_t days = (seconds + kDay / 2) / kDay;
  if (days < 31) return CaptionOr("WAITDAYS", "%1 d").arg(days);
  if (days < 365) return CaptionOr("WAITMONTHS", "%1 mo").arg(QString::number(days / 30.4, 'f', days < 304 ? 1 : 0));
  return CaptionOr("WAITYEARS", "%1 y").arg(QString::number(days / 365.0, 'f', 1));
}

}  // namespace

StudyQuestionView::StudyQuestionView(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picStudyQuestion"));
  // The page holds the keyboard during a sitting: its keys act on it.
  setFocusPolicy(Qt::StrongFocus);
  SetLanguageName(this, "STUDYREVIEW", "Review");
  auto *column = StudyColumn(this);
  prompt_ = StudyLabel(this, "lblStudyPrompt");
  SetLanguageName(prompt_, "STUDYQUESTION", "Review question");
  column->addWidget(prompt_);
  for (int i = 0; i < 4; ++i) {
    choices_[i] = NamedButton(this, "cmdStudyChoice", QString());
    choices_[i]->setObjectName(QStringLiteral("cmdStudyChoice%1").arg(i + 1));
    choices_[i]->setFocusPolicy(Qt::TabFocus);
    connect(choices_[i], &QPushButton::clicked, this, [this, i] { emit choiceMade(i); });
    column->addWidget(choices_[i]);
  }
  reveal_ = StudyLabel(this, "lblStudyReveal");
  SetLanguageName(reveal_, "STUDYANSWER", "Review answer");
  column->addWidget(reveal_);
  // Two by two: four captions do not fit side by side in the narrow pane.
  auto *gradeRow = new QGridLayout;
  gradeRow->setSpacing(2);
  gradeGroup_ = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    grades_[i] = NamedButton(this, "cmdStudyGrade", QString());
    grades_[i]->setObjectName(QStringLiteral("cmdStudy%1").arg(QLatin1String(kGradeNames[i])));
    SetLanguageName(grades_[i], kGradeKeys[i], kGradeNames[i]);
    grades_[i]->setCheckable(true);
    grades_[i]->setFocusPolicy(Qt::TabFocus);
    gradeGroup_->addButton(grades_[i], i + 1);
    gradeRow->addWidget(grades_[i], i / 2, i % 2);
  }
  connect(gradeGroup_, &QButtonGroup::idClicked, this, &StudyQuestionView::gradeChosen);
  column->addLayout(gradeRow);
  column->addStretch(1);
  auto *actions = new QHBoxLayout;
  lookUp_ = NamedButton(this, "cmdStudyLookUp", QString());
  SetLanguageCaption(lookUp_, "STUDYLOOKUP", "Look up");
  playAgain_ = NamedButton(this, "cmdStudyPlay", QString());
  SetLanguageCaption(playAgain_, "STUDYPLAY", "Play again");
  auto *goOn = NamedButton(this, "cmdStudyGoOn", QString());
  SetLanguageCaption(goOn, "STUDYGOON", "Go on");
  actions->addWidget(playAgain_);
  actions->addWidget(lookUp_);
  actions->addWidget(goOn);
  column->addLayout(actions);
  status_ = StudyLabel(this, "lblStudyStatus");
  column->addWidget(status_);
  connect(lookUp_, &QPushButton::clicked, this, &StudyQuestionView::lookUpRequested);
  connect(playAgain_, &QPushButton::clicked, this, &StudyQuestionView::playAgainRequested);
  connect(goOn, &QPushButton::clicked, this, &StudyQuestionView::goOnRequested);
}

void StudyQuestionView::ShowQuestion(const StudyQuestion &q) {
  const bool listening = q.kind == QuestionKind::Listening;
  QFont font = prompt_->font();
  const bool idiomPrompt =
      q.kind == QuestionKind::Reading || q.kind == QuestionKind::Character || q.kind == QuestionKind::Flashcard;
  font.setPointSizeF(QWidget::font().pointSizeF() * (idiomPrompt ? 1.6 : 1.0));
  prompt_->setFont(font);
  prompt_->setText(listening ? CaptionOr("STUDYLISTEN", "Listen: which idiom is it?") : q.prompt);
  // A screen reader hears the question itself, not only the label's name.
  prompt_->setAccessibleName(prompt_->text());
  prompt_->setAccessibleDescription(prompt_->text());
  for (int i = 0; i < 4; ++i) {
    const bool shown = i < q.choices.size();
    choices_[i]->setVisible(shown);
    choices_[i]->setEnabled(true);
    choices_[i]->setPalette(QPalette());
    choices_[i]->setText(shown ? QStringLiteral("%1  %2").arg(i + 1).arg(q.choices[i]) : QString());
    choices_[i]->setAccessibleName(shown ? q.choices[i] : QString());
    choices_[i]->setAccessibleDescription(QString());
  }
  reveal_->clear();
  reveal_->setAccessibleName(CaptionOr("STUDYANSWER", "Review answer"));
  reveal_->setAccessibleDescription(QString());
  // Worded when shown: the interface language may have changed since.
  for (int i = 0; i < 4; ++i)
    grades_[i]->setText(QStringLiteral("%1 %2").arg(i + 1).arg(CaptionOr(kGradeKeys[i], kGradeNames[i])));
  for (QPushButton *grade : grades_) grade->setVisible(false);
  playAgain_->setVisible(listening);
  lookUp_->setVisible(false);
  status_->setText(q.kind == QuestionKind::Flashcard
                       ? CaptionOr("STUDYKEYSCARD", "Space: show the answer · Esc: leave")
                       : CaptionOr("STUDYKEYSCHOICE", "1–4: choose · Space: show the answer"));
}

void StudyQuestionView::ShowAnswer(const StudyQuestion &q, const QString &verdict, int suggestedGrade, int chosen,
                                   const std::array<int64_t, 4> &waits) {
  // Each grade with what it means for the card, as Anki shows it.
  for (int i = 0; i < 4; ++i) {
    const QString grade = CaptionOr(kGradeKeys[i], kGradeNames[i]), wait = WaitCaption(waits[static_cast<size_t>(i)]);
    grades_[i]->setText(QStringLiteral("%1 %2 · %3").arg(i + 1).arg(grade, wait));
    // A screen reader hears what the eye sees: the grade and its wait.
    grades_[i]->setAccessibleName(QStringLiteral("%1 · %2").arg(grade, wait));
    grades_[i]->setAccessibleDescription(CaptionOr("STUDYWAITSAFTER", "The card comes again in %1").arg(wait));
  }
  const bool choice = q.kind != QuestionKind::Flashcard;
  for (int i = 0; i < 4; ++i) choices_[i]->setEnabled(!choice || i == q.answer);
  if (choice && q.answer >= 0 && q.answer < 4) MarkChoice(q.answer, true);
  if (choice && chosen >= 0 && chosen < 4 && chosen != q.answer) MarkChoice(chosen, false);
  // The senses on lines of their own, labelled as the entry labels them.
  const QString meaning = SensesOnLines(q.meaning, CaptionOr("LIT", "lit."), CaptionOr("FIG", "fig."));
  reveal_->setText(QStringLiteral("%1%2\n%3\n%4").arg(verdict, q.idiom, q.reading, meaning));
  reveal_->setAccessibleName(reveal_->text());
  reveal_->setAccessibleDescription(reveal_->text());
  for (QPushButton *grade : grades_) grade->setVisible(true);
  CheckGrade(suggestedGrade);
  lookUp_->setVisible(true);
  status_->setText(CaptionOr("STUDYKEYSGRADE", "1–4: grade · Space: go on · U: undo"));
}

void StudyQuestionView::MarkChoice(int index, bool right) {
  QPushButton *button = choices_[index];
  // A sign as well as a colour: the colour alone tells nothing to some.
  button->setText((right ? QStringLiteral("✓ ") : QStringLiteral("✗ ")) + button->text());
  button->setAccessibleDescription(right ? CaptionOr("STUDYRIGHTCHOICE", "the right answer")
                                         : CaptionOr("STUDYWRONGCHOICE", "your choice, not right"));
  QPalette palette = button->palette();
  // Readable on light and dark palettes alike: mid tones of green and red.
  const QColor colour = right ? QColor(0x2e, 0x9d, 0x4a) : QColor(0xd9, 0x3a, 0x3a);
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setColor(group, QPalette::ButtonText, colour);
  button->setPalette(palette);
}

void StudyQuestionView::CheckGrade(int grade) {
  if (grade >= 1 && grade <= 4) grades_[grade - 1]->setChecked(true);
}

QList<QWidget *> StudyQuestionView::TabOrder() const {
  return {choices_[0], choices_[1], choices_[2], choices_[3], grades_[0],
          grades_[1],  grades_[2],  grades_[3],  playAgain_,  lookUp_};
}

void StudyQuestionView::SetNotice(const QString &notice) { status_->setText(notice); }

}  // namespace velmora
