#pragma once
// The idiom chain game in a window of its own ("Idiom chain", Ctrl+J): the
// learner types what the search box takes (pinyin, initials, characters)
// and chooses among the idioms that may follow; the computer answers; a dead
// end ends the round, names the winner and shows what could have followed.
// Each move shows its reading and the start of its meaning, and can be
// looked up in the main window. "Today's round" starts from the day's idiom,
// the same for everyone on that day, and keeps the day's best chain.
#include <QDialog>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora {

class ChainGame;
class IdiomFrequencies;
class IdiomMatcher;
class RelatedLoader;

class ChainDialog : public QDialog {
  Q_OBJECT
 public:
  struct Services {
    RelatedLoader *related;
    std::function<const IdiomMatcher *()> matcher;
    std::function<const IdiomFrequencies *()> frequencies;  // common idioms first in the computer's moves
    std::function<QString()> shownIdiom;
    std::function<int()> readBest;
    std::function<void(int)> writeBest;
    std::function<QString(const QString &)> describe;  // reading and start of the meaning
    // The day's best chain: read (0 when none yet), and kept.
    std::function<int(const QString &day)> readDailyBest;
    std::function<void(const QString &day, int)> writeDailyBest;
  };
  ChainDialog(Services services, QWidget *parent);
  ~ChainDialog() override;
  // Shows the panel, starting a round from the idiom on display when none runs.
  void Open();

 signals:
  void idiomChosen(const QString &idiom);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  // The rule and level choices in the interface language.
  void WordChoices();
  void NewRound();
  // A change of level mid-round applies from the next round.
  void LevelChanged();
  // Common idioms first, as the edition counts them.
  void CommonFirst(QStringList *idioms) const;
  // The round from the day's idiom.
  void TodaysRound();
  void StartRound(unsigned seed, bool fromShown);
  // The chain so far counts towards the best, however the round ends.
  void KeepBest();
  void ShowBest();
  void hideEvent(QHideEvent *event) override;
  void UpdateMatches();
  void PlayChosen();
  void Play(const QString &idiom);
  void ShowChain();
  void Finish(bool learnerWon);
  void ShowHint();
  QString Prompt() const;

  Services services_;
  std::unique_ptr<ChainGame> game_;
  QComboBox *rule_, *level_;
  QPushButton *newRound_, *hint_;
  QLabel *status_, *best_;
  QPushButton *today_ = nullptr;
  QString day_;  // the day of the round playing, when it is a day's round
  bool kept_ = false;
  QListWidget *chain_, *matches_;
  QLineEdit *key_;
};

}  // namespace velmora
