#pragma once
// The Study view's question page: the prompt, up to four choices, the
// answer once shown with the grades, and the actions under them. It shows
// what the sitting tells it and passes the learner's moves on.
#include <QWidget>
#include <array>
#include <cstdint>

#include "practice/StudyQuestions.h"

class QButtonGroup;
class QLabel;
class QPushButton;

namespace velmora {

class StudyQuestionView : public QWidget {
  Q_OBJECT
 public:
  explicit StudyQuestionView(QWidget *parent = nullptr);

  void ShowQuestion(const StudyQuestion &question);
  // The answer under the question; verdict empty for a flashcard. The
  // suggested grade (1-4) is checked; the right choice is marked, and the
  // one chosen (an index, or -1) when it was wrong.
  // Each grade's button tells how long the card would wait after it
  // (seconds: Again, Hard, Good, Easy).
  void ShowAnswer(const StudyQuestion &question, const QString &verdict, int suggestedGrade, int chosen,
                  const std::array<int64_t, 4> &waits);
  void CheckGrade(int grade);
  // Said in the status line until the next question or answer.
  void SetNotice(const QString &notice);
  QList<QWidget *> TabOrder() const;

 signals:
  void choiceMade(int index);
  void gradeChosen(int grade);
  void lookUpRequested();
  void playAgainRequested();
  void goOnRequested();

 private:
  void MarkChoice(int index, bool right);

  QLabel *prompt_, *reveal_, *status_;
  QPushButton *choices_[4];
  QPushButton *grades_[4];
  QButtonGroup *gradeGroup_;
  QPushButton *lookUp_, *playAgain_;
};

}  // namespace velmora
