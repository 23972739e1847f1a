#include "mainwindow/study/StudySettingsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include "lang/Captions.h"
#include "mainwindow/DesignControls.h"
#include "mainwindow/study/StudyPageParts.h"
#include "platform/LanguageTexts.h"
#include "practice/Fsrs.h"
#include "practice/StudyQuestions.h"

namespace velmora {

StudySettingsView::StudySettingsView(QWidget *parent) : QWidget(parent) {
  fromHistory_ = new QCheckBox(this);
  SetLanguageCaption(fromHistory_, "STUDYFROMHISTORY", "New idioms from my history");
  fromHistory_->setObjectName(QStringLiteral("chkStudyHistory"));
  historyDays_ = new QSpinBox(this);
  historyDays_->setObjectName(QStringLiteral("spnStudyHistoryDays"));
  historyDays_->setRange(1, 365);
  SetLanguageName(historyDays_, "STUDYHISTORYDAYS", "Days of history");
  fromEdition_ = new QCheckBox(this);
  SetLanguageCaption(fromEdition_, "STUDYFROMDICTIONARY", "New idioms from the dictionary");
  fromEdition_->setObjectName(QStringLiteral("chkStudyEdition"));
  perDay_ = new QSpinBox(this);
  perDay_->setObjectName(QStringLiteral("spnStudyPerDay"));
  perDay_->setRange(0, 500);
  SetLanguageName(perDay_, "STUDYPERDAY", "New idioms a day");
  retention_ = new QDoubleSpinBox(this);
  retention_->setObjectName(QStringLiteral("spnStudyRetention"));
  retention_->setRange(FsrsScheduler::kLeastRetention, FsrsScheduler::kMostRetention);
  retention_->setSingleStep(0.01);
  retention_->setDecimals(2);
  SetLanguageName(retention_, "STUDYRETENTION", "Desired retention");
  dayStart_ = new QSpinBox(this);
  dayStart_->setObjectName(QStringLiteral("spnStudyDayStart"));
  dayStart_->setRange(0, 23);
  dayStart_->setSuffix(QStringLiteral(":00"));
  SetLanguageName(dayStart_, "STUDYDAYSTART", "A new day starts at");
  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("cboStudyKind"));
  SetLanguageName(kind_, "STUDYKINDS", "Questions");
  kind_->addItem(QString(), QString());
  for (const QuestionKind kind : {QuestionKind::Meaning, QuestionKind::Reading, QuestionKind::Character,
                                  QuestionKind::Listening, QuestionKind::Flashcard})
    kind_->addItem(QString(), QuestionKindName(kind));
  WordKinds();
  done_ = NamedButton(this, "cmdStudySettingsDone", QString());
  SetLanguageCaption(done_, "STUDYSETTINGSDONE", "Done");
  auto *form = new QFormLayout;
  form->setContentsMargins(0, 0, 0, 0);
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  form->addRow(fromHistory_);
  const auto caption = [this](const char *key, const char *text) {
    auto *label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    SetLanguageCaption(label, key, text);
    return label;
  };
  form->addRow(caption("STUDYLAST", "From the last"), historyDays_);
  form->addRow(fromEdition_);
  form->addRow(caption("STUDYADAY", "New idioms a day"), perDay_);
  form->addRow(caption("STUDYRETAIN", "Retention"), retention_);
  form->addRow(caption("STUDYDAYSTART", "A new day starts at"), dayStart_);
  form->addRow(caption("STUDYKINDS", "Questions"), kind_);
  auto *column = StudyColumn(this);
  column->addLayout(form);
  column->addStretch(1);
  column->addWidget(done_);
  connect(done_, &QPushButton::clicked, this, &StudySettingsView::done);
}

void StudySettingsView::WordKinds() {
  static const char *const kKinds[][2] = {
      {"STUDYKINDEACH", "Each kind in turn"}, {"STUDYKINDMEANING", "Meaning → idiom"},
      {"STUDYKINDREADING", "Idiom → pinyin"}, {"STUDYKINDCHARACTER", "Missing character"},
      {"STUDYKINDLISTENING", "Listening"},    {"STUDYKINDCARD", "Flashcards"}};
  for (int i = 0; i < kind_->count() && i < 6; ++i) kind_->setItemText(i, CaptionOr(kKinds[i][0], kKinds[i][1]));
  historyDays_->setSuffix(QLatin1Char(' ') + CaptionOr("STUDYDAYS", "days"));
}

void StudySettingsView::Show(const StudySettings &s) {
  WordKinds();
  fromHistory_->setChecked(s.fromHistory);
  historyDays_->setValue(s.historyDays);
  fromEdition_->setChecked(s.fromEdition);
  perDay_->setValue(s.newPerDay);
  retention_->setValue(s.retention);
  dayStart_->setValue(s.dayStartHour);
  kind_->setCurrentIndex(std::max(0, kind_->findData(s.kind ? QuestionKindName(*s.kind) : QString())));
}

StudySettings StudySettingsView::Chosen() const {
  StudySettings s;
  s.fromHistory = fromHistory_->isChecked();
  s.historyDays = historyDays_->value();
  s.fromEdition = fromEdition_->isChecked();
  s.newPerDay = perDay_->value();
  s.retention = retention_->value();
  s.dayStartHour = dayStart_->value();
  s.kind = QuestionKindNamed(kind_->currentData().toString());
  return s;
}

QList<QWidget *> StudySettingsView::TabOrder() const {
  return {fromHistory_, historyDays_, fromEdition_, perDay_, retention_, dayStart_, kind_, done_};
}

QWidget *StudySettingsView::FirstControl() const { return fromHistory_; }

}  // namespace velmora
