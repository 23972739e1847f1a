#pragma once
// The missing-character quiz over the detail pane: the puzzle, the hidden
// solution, the answer box and the two buttons, with the game that judges.
#include <QWidget>

#include "practice/MissingCharacterQuiz.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class QuizView : public QWidget {
  Q_OBJECT
 public:
  // The controls, named as the language step knows them.
  struct Controls {
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QLineEdit *Text1;
    QPushButton *Command8, *Command11;
  };

  // Created hidden at its design place (objectName "Picture5").
  explicit QuizView(QWidget *parent);
  const Controls &controls() const { return c_; }
  // Its controls in the order Tab visits them.
  QList<QWidget *> TabOrder() const;

  // The highest idiom code: puzzles are drawn from codes 1 up to it.
  void SetHighestCode(const QString &code) { highestCode_ = code; }
  // Shows the panel over the detail, with a puzzle drawn if it has none yet,
  // and puts the cursor in the answer box.
  void Open();

 private:
  void CreateControls();
  void Command11_Click();
  void Command8_Click();

  Controls c_{};
  MissingCharacterQuiz quiz_;
  QString highestCode_;
};

}  // namespace velmora
