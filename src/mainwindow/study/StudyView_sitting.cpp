// The Study view's sitting: a question asked, answered, graded, and the
// summary at its end.
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

#include "data/StudyStore.h"
#include "dictionary/Pinyin.h"
#include "lang/Captions.h"
#include "mainwindow/study/StudyQuestionView.h"
#include "mainwindow/study/StudySettingsView.h"
#include "mainwindow/study/StudyTimes.h"
#include "mainwindow/study/StudyView.h"
#include "platform/LanguageTexts.h"
#include "practice/StudySession.h"

namespace velmora {

void StudyView::StartSitting() {
  if (!session_) return;
  Refresh();
  if (session_->Start(Now(), canSpeak_) == StudySession::Stage::Finished) return ShowSummary();
  pages_->setCurrentWidget(question_);
  ShowQuestion();
  question_->setFocus(Qt::OtherFocusReason);
}

void StudyView::ShowQuestion() {
  const StudyQuestion &q = session_->Question();
  emit asking(q.idiom);
  question_->ShowQuestion(q);
  if (q.kind == QuestionKind::Listening) emit speakRequested(FirstReading(q.reading));
}

void StudyView::Choose(int index) {
  if (!InSitting() || session_->CurrentStage() != StudySession::Stage::Asking) return;
  if (index >= session_->Question().choices.size()) return;
  session_->Answer(index);
  ShowAnswer();
}

void StudyView::Advance() {
  if (!InSitting()) return;
  if (session_->CurrentStage() == StudySession::Stage::Asking)
    Reveal();
  else
    GoOn();
}

void StudyView::Reveal() {
  if (!InSitting() || session_->CurrentStage() != StudySession::Stage::Asking) return;
  // Shown without a choice, a choice question counts as not known.
  session_->Answer(-1);
  ShowAnswer();
}

void StudyView::ShowAnswer() {
  const StudyQuestion &q = session_->Question();
  emit asking(QString());
  // Shown without a choice (Space), an answer gets no verdict.
  QString verdict;
  if (q.kind != QuestionKind::Flashcard && (session_->AnsweredRight() || session_->Chosen() >= 0))
    verdict = (session_->AnsweredRight() ? CaptionOr("STUDYRIGHT", "Right.") : CaptionOr("STUDYWRONG", "Not quite.")) +
              QLatin1Char(' ');
  question_->ShowAnswer(q, verdict, static_cast<int>(session_->SuggestedGrade()), session_->Chosen(),
                        session_->WaitsAfterEachGrade(Now()));
}

void StudyView::Grade(int grade) {
  if (!InSitting() || session_->CurrentStage() != StudySession::Stage::Answered || grade < 1 || grade > 4) return;
  session_->SetGrade(static_cast<velmora::Grade>(grade));
  question_->CheckGrade(grade);
}

void StudyView::GoOn() {
  if (!InSitting()) return;
  const bool finished = session_->GoOn(Now()) == StudySession::Stage::Finished;
  finished ? ShowSummary() : ShowQuestion();
  AnnounceDue();
  // A grade not kept is said, not dropped in silence.
  QString lost;
  if (session_->LastGrade() == StudyStore::Recorded::ChangedElsewhere)
    lost = CaptionOr("STUDYGRADEELSEWHERE",
                     "Your last grade was not kept: another Velmora window reviewed that idiom first.");
  else if (session_->LastGrade() == StudyStore::Recorded::NotKept)
    lost = CaptionOr("STUDYGRADENOTKEPT", "Your last grade could not be saved: the study file cannot be written.");
  if (lost.isEmpty()) return;
  if (finished)
    summaryText_->setText(lost + QLatin1Char('\n') + summaryText_->text());
  else
    question_->SetNotice(lost);
}

void StudyView::Undo() {
  if (!session_ || !store_ || pages_ == nullptr || pages_->currentWidget() == settings_) return;
  if (!session_->Undo()) return;
  pages_->setCurrentWidget(question_);
  ShowQuestion();
  question_->setFocus(Qt::OtherFocusReason);
  AnnounceDue();
}

void StudyView::Leave() {
  if (!session_ || pages_ == nullptr || pages_->currentWidget() == home_) return;
  if (InSitting()) {
    session_->Leave();
    return ShowSummary();
  }
  ShowHome();
}

void StudyView::ShowSummary() {
  emit asking(QString());
  const int64_t now = Now();
  const StudySession::Summary s = session_->Result(now);
  // Left with cards still due (Esc): how many, and Enter goes on with them.
  const int due = DueToday();
  QStringList lines;
  if (s.reviewed > 0)
    lines << CaptionOr("STUDYREVIEWED", "Reviewed: %1").arg(s.reviewed)
          << CaptionOr("STUDYRIGHTFIRST", "Right first time: %1 of %2 idioms").arg(s.rightFirstTime).arg(s.idioms)
          << CaptionOr("STUDYTIME", "Time: %1").arg(Duration(s.seconds));
  if (due > 0)
    lines << CountCaption(due, "STUDYSTILLDUEONE", "1 idiom is still due: Enter goes on.", "STUDYSTILLDUE",
                          "%1 idioms are still due: Enter goes on.");
  else if (s.reviewed == 0)
    lines << CaptionOr("STUDYNOTHINGNOW", "Nothing to review now.");
  if (due == 0 && s.nextDue) lines << CaptionOr("STUDYNEXTDUE", "Next due: %1").arg(WhenDue(*s.nextDue, now));
  summaryText_->setText(lines.join(QLatin1Char('\n')));
  goOnFromSummary_ = due > 0;
  SetLanguageCaption(done_, goOnFromSummary_ ? "STUDYGOON" : "STUDYDONE", goOnFromSummary_ ? "Go on" : "Done");
  pages_->setCurrentWidget(summary_);
  done_->setFocus(Qt::OtherFocusReason);
  AnnounceDue();
}

}  // namespace velmora
