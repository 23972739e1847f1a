#pragma once
// One sitting of review: which cards are studied, the card on screen and its
// question, the grade the answer suggests, and what the sitting achieved.
// The grade is kept when the learner goes on, so a program killed mid-session
// loses at most the answer on screen.
#include <QDateTime>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <random>

#include "StudyQuestions.h"
#include "data/StudyStore.h"
#include "practice/Fsrs.h"

namespace velmora {

class UserStore;

// What the learner chose to study, remembered in the store.
struct StudySettings {
  bool fromHistory = false;
  int historyDays = 7;
  bool fromEdition = false;
  int newPerDay = 10;
  double retention = FsrsScheduler::kDefaultRetention;
  std::optional<QuestionKind> kind;  // none: in turn
  int dayStartHour = kDefaultDayStartHour;

  static StudySettings Read(const StudyStore &store);
  bool Write(StudyStore &store) const;
};

class StudySession {
 public:
  enum class Stage { Idle, Asking, Answered, Finished };
  struct Summary {
    int reviewed = 0;
    int idioms = 0;          // the idioms asked and graded in the sitting
    int rightFirstTime = 0;  // of them, those right at their first question
    int64_t seconds = 0;
    std::optional<int64_t> nextDue;
  };
  // Cards due this much later still come up when nothing else is due: the
  // learning steps' reviews are short.
  static constexpr int64_t kLearnAheadSeconds = 20 * 60;

  StudySession(StudyStore &store, const QuestionSource &source);

  // Brings the cards up to date with the favourites, the history and the
  // day's new idioms of the edition (idiomAt gives the edition in list order).
  void Prepare(int64_t now, const std::vector<QString> &favourites, const std::vector<QString> &recentHistory,
               int editionSize, const std::function<QString(int)> &idiomAt);
  int DueToday(int64_t now) const;

  // Starts a sitting; the first question, or Finished when nothing is due.
  Stage Start(int64_t now, bool canSpeak);
  Stage CurrentStage() const { return stage_; }
  const StudyQuestion &Question() const { return question_; }
  const StudyCard &Card() const { return card_; }
  // A choice (0-3) for a choice question, or the reveal of a flashcard.
  // True when the choice was right (a flashcard is right until graded).
  bool Answer(int choice);
  Grade SuggestedGrade() const { return grade_; }
  // Seconds until the card asked would be due again after each grade
  // (Again, Hard, Good, Easy), answered now.
  std::array<int64_t, 4> WaitsAfterEachGrade(int64_t now) const;
  void SetGrade(Grade grade) { grade_ = grade; }
  // Keeps the grade and moves to the next card (or Finished).
  Stage GoOn(int64_t now);
  // Takes the last kept grade back and asks that card again.
  bool Undo();
  // What became of the last grade given: not kept when another window
  // graded the card first, or the store could not be written.
  StudyStore::Recorded LastGrade() const { return lastGrade_; }
  Summary Result(int64_t now) const;
  // Ends the sitting without keeping the answer on screen.
  void Leave() { stage_ = Stage::Idle; }
  bool AnsweredRight() const { return right_; }
  // The choice made for the question asked; -1 when none was (revealed, or a flashcard).
  int Chosen() const { return chosen_; }

 private:
  Stage AskNext(int64_t now);
  void Ask(const StudyCard &card);

  StudyStore &store_;
  const QuestionSource &source_;
  FsrsScheduler scheduler_;
  std::optional<QuestionKind> kind_;
  bool canSpeak_ = false;
  std::mt19937 random_;
  Stage stage_ = Stage::Idle;
  StudyCard card_;
  StudyQuestion question_;
  Grade grade_ = Grade::Good;
  bool right_ = false;
  int chosen_ = -1;
  int64_t started_ = 0;
  // The sitting's grades, newest last: right first time or not.
  // Each grade kept in the sitting: the card, and whether it was known.
  std::vector<std::pair<QString, bool>> kept_;
  std::vector<int64_t> sittingLog_;  // the log rows of this sitting's grades, oldest first
  StudyStore::Recorded lastGrade_ = StudyStore::Recorded::Kept;
};

}  // namespace velmora
