#include "mainwindow/study/StudySettingsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include "mainwindow/DesignControls.h"
#include "mainwindow/study/StudyPageParts.h"
#include "practice/Fsrs.h"
#include "practice/StudyQuestions.h"

namespace velmora {

StudySettingsView::StudySettingsView(QWidget *parent) : QWidget(parent) {
  fromHistory_ = new QCheckBox(QStringLiteral("New idioms from my history"), this);
  fromHistory_->setObjectName(QStringLiteral("chkStudyHistory"));
  historyDays_ = new QSpinBox(this);
  historyDays_->setObjectName(QStringLiteral("spnStudyHistoryDays"));
  historyDays_->setRange(1, 365);
  historyDays_->setSuffix(QStringLiteral(" days"));
  historyDays_->setAccessibleName(QStringLiteral("Days of history"));
  fromEdition_ = new QCheckBox(QStringLiteral("New idioms from the dictionary"), this);
  fromEdition_->setObjectName(QStringLiteral("chkStudyEdition"));
  perDay_ = new QSpinBox(this);
  perDay_->setObjectName(QStringLiteral("spnStudyPerDay"));
  perDay_->setRange(0, 500);
  perDay_->setAccessibleName(QStringLiteral("New idioms a day"));
  retention_ = new QDoubleSpinBox(this);
  retention_->setObjectName(QStringLiteral("spnStudyRetention"));
  retention_->setRange(FsrsScheduler::kLeastRetention, FsrsScheduler::kMostRetention);
  retention_->setSingleStep(0.01);
  retention_->setDecimals(2);
  retention_->setAccessibleName(QStringLiteral("Desired retention"));
  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("cboStudyKind"));
  kind_->setAccessibleName(QStringLiteral("Questions"));
  kind_->addItem(QStringLiteral("Each kind in turn"), QString());
  for (const auto &[kind, caption] : {std::pair{QuestionKind::Meaning, "Meaning → idiom"},
                                      {QuestionKind::Reading, "Idiom → pinyin"},
                                      {QuestionKind::Character, "Missing character"},
                                      {QuestionKind::Listening, "Listening"},
                                      {QuestionKind::Flashcard, "Flashcards"}})
    kind_->addItem(QString::fromUtf8(caption), QuestionKindName(kind));
  done_ = NamedButton(this, "cmdStudySettingsDone", QStringLiteral("Done"));
  auto *form = new QFormLayout;
  form->setContentsMargins(0, 0, 0, 0);
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  form->addRow(fromHistory_);
  const auto caption = [this](const char *text) {
    auto *label = new QLabel(QLatin1String(text), this);
    label->setTextFormat(Qt::PlainText);
    return label;
  };
  form->addRow(caption("Last"), historyDays_);
  form->addRow(fromEdition_);
  form->addRow(caption("A day"), perDay_);
  form->addRow(caption("Retention"), retention_);
  form->addRow(kind_);
  auto *column = StudyColumn(this);
  column->addLayout(form);
  column->addStretch(1);
  column->addWidget(done_);
  connect(done_, &QPushButton::clicked, this, &StudySettingsView::done);
}

void StudySettingsView::Show(const StudySettings &s) {
  fromHistory_->setChecked(s.fromHistory);
  historyDays_->setValue(s.historyDays);
  fromEdition_->setChecked(s.fromEdition);
  perDay_->setValue(s.newPerDay);
  retention_->setValue(s.retention);
  kind_->setCurrentIndex(std::max(0, kind_->findData(s.kind ? QuestionKindName(*s.kind) : QString())));
}

StudySettings StudySettingsView::Chosen() const {
  StudySettings s;
  s.fromHistory = fromHistory_->isChecked();
  s.historyDays = historyDays_->value();
  s.fromEdition = fromEdition_->isChecked();
  s.newPerDay = perDay_->value();
  s.retention = retention_->value();
  s.kind = QuestionKindNamed(kind_->currentData().toString());
  return s;
}

QList<QWidget *> StudySettingsView::TabOrder() const {
  return {fromHistory_, historyDays_, fromEdition_, perDay_, retention_, kind_, done_};
}

QWidget *StudySettingsView::FirstControl() const { return fromHistory_; }

}  // namespace velmora
