#include "mainwindow/detail/QuizView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "data/IdiomStore.h"
#include "mainwindow/DesignControls.h"
#include "platform/LanguageTexts.h"
#include "platform/Twips.h"

namespace velmora {

namespace {

// A long idiom is shown whole: the font shrinks until the text fits the
// label's width, down to a readable size, and wraps beyond that.
void FitToWidth(QLabel *label) {
  constexpr double kSmallestPointSize = 10;
  QFont font = label->font();
  if (!label->property("designPointSize").isValid()) label->setProperty("designPointSize", font.pointSizeF());
  double size = label->property("designPointSize").toDouble();
  const int room = label->contentsRect().width();
  font.setPointSizeF(size);
  const int needed = QFontMetrics(font).horizontalAdvance(label->text());
  if (needed > room && needed > 0) size = std::max(kSmallestPointSize, std::floor(size * room / needed * 4) / 4);
  font.setPointSizeF(size);
  label->setFont(font);
  label->setWordWrap(QFontMetrics(font).horizontalAdvance(label->text()) > room);
}

void Colour(QWidget *widget, const QColor &color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

}  // namespace

QuizView::QuizView(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Picture5"));
  PlaceAt(this, 240, 480, 4815, 3240);
  setAutoFillBackground(true);
  // The game's colours (blue, red) are the design's: the panel under them
  // stays light in every theme so that they read.
  QPalette light = palette();
  light.setColor(QPalette::Window, QColor(0xff, 0xfd, 0xf7));
  light.setColor(QPalette::WindowText, QColor(0x3a, 0x2a, 0x14));
  setPalette(light);
  CreateControls();
  connect(c_.Command8, &QPushButton::clicked, this, &QuizView::Command8_Click);
  connect(c_.Command11, &QPushButton::clicked, this, &QuizView::Command11_Click);
  connect(c_.Text1, &QLineEdit::returnPressed, this, &QuizView::Command8_Click);
  hide();
}

void QuizView::CreateControls() {
  QFont quizFont(QStringLiteral("Arial"), 26);
  quizFont.setPointSizeF(26.25);
  c_.Label1 = Caption(this, "Label1", QString(), 240, 120, 4575, 735);
  c_.Label4 = Caption(this, "Label4", QString(), 240, 840, 4575, 855);
  c_.Label3 = Caption(this, "Label3", QString(), 3960, 1560, 1095, 855);
  c_.Command8 = MakeAt<QPushButton>(this, "Command8", 3360, 2040, 1335, 495);
  c_.Command8->setText(QStringLiteral("判断"));
  c_.Label5 = Caption(this, "Label5", QStringLiteral("X＝"), 240, 2280, 975, 735);
  c_.Text1 = MakeAt<QLineEdit>(this, "Text1", 1200, 2280, 1095, 720);
  SetLanguageName(c_.Text1, "ACCQUIZANSWER", "Answer");
  c_.Label2 = Caption(this, "Label2", QString(), 2520, 2280, 735, 735);
  c_.Command11 = MakeAt<QPushButton>(this, "Command11", 3360, 2640, 1335, 495);
  c_.Command11->setText(QStringLiteral("下一题"));
  for (QWidget *w : std::initializer_list<QWidget *>{c_.Label1, c_.Label2, c_.Label3, c_.Label4, c_.Label5, c_.Text1})
    w->setFont(quizFont);
  Colour(c_.Label4, Qt::blue);
  Colour(c_.Label3, Qt::blue);
  Colour(c_.Label5, Qt::blue);
  Colour(c_.Label2, Qt::red);
  SetLanguageText(c_.Label1, TextRole::AccessibleDescription, "ACCQUIZPUZZLE", "Puzzle");
  SetLanguageText(c_.Label2, TextRole::AccessibleDescription, "ACCQUIZVERDICT", "Verdict");
  SetLanguageText(c_.Label4, TextRole::AccessibleDescription, "ACCQUIZSOLUTION", "Solution");
  // Hidden labels hold the answer: a screen reader must not read it out
  // before the verdict, so they carry a name of their own while hidden.
  SetLanguageName(c_.Label3, "ACCQUIZHIDDEN", "Hidden character");
  SetLanguageName(c_.Label4, "ACCQUIZSOLUTION", "Solution");
  for (QLabel *hidden : {c_.Label2, c_.Label3, c_.Label4}) hidden->hide();
}

void QuizView::Open() {
  show();
  raise();
  if (c_.Label1->text().isEmpty()) Command11_Click();
  c_.Text1->setFocus();
}

void QuizView::Command11_Click() {
  for (QLabel *label : {c_.Label2, c_.Label3, c_.Label4}) label->hide();
  SetLanguageName(c_.Label4, "ACCQUIZSOLUTION", "Solution");
  c_.Text1->clear();
  for (QLabel *label : {c_.Label1, c_.Label2, c_.Label3, c_.Label4}) label->clear();
  const auto puzzle = quiz_.Draw(highestCode_, IdiomByCode);
  if (!puzzle) return;
  c_.Label4->setText(puzzle->idiom);
  c_.Label1->setText(puzzle->shown);
  FitToWidth(c_.Label1);
  FitToWidth(c_.Label4);
  c_.Label3->hide();
  c_.Label3->setText(puzzle->hidden);
  // The next answer is typed at once.
  c_.Text1->setFocus();
}

void QuizView::Command8_Click() {
  c_.Label2->show();
  c_.Label4->show();
  c_.Label4->setAccessibleName(QString());  // shown: its text is its name
  c_.Label2->setText(JudgeAnswer(c_.Text1->text(), c_.Label3->text()) ? QStringLiteral("对") : QStringLiteral("错"));
}

QList<QWidget *> QuizView::TabOrder() const { return {c_.Text1, c_.Command8, c_.Command11}; }

}  // namespace velmora
