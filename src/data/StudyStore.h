#pragma once
// The review schedule's cards, its log and its settings, kept in the user's
// store beside favourites and history. A card is an idiom in either script
// (one card whichever edition is open), keyed by its simplified form. Each
// grade is one transaction: the card's new memory and its log row together,
// so a program killed mid-session loses at most the answer on screen.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "CardMemory.h"
#include "SqlConnection.h"
#include "StudyDay.h"

namespace velmora {

class UserStore;

struct StudyCard {
  QString key;  // the simplified form
  QString simplified, traditional;
  QString origin;  // "favourite", "history" or "edition"
  CardMemory memory;
  bool suspended = false;
};

// One answered question as the log keeps it.
struct StudyAnswer {
  Grade grade = Grade::Good;
  QString kind;  // the kind of question ("meaning", "reading", ...)
  int64_t time = 0;
};

class StudyStore {
 public:
  inline static const QString kFavourite = QStringLiteral("favourite"), kHistory = QStringLiteral("history"),
                              kEdition = QStringLiteral("edition");

  // traditionalEdition: the open edition spells idioms in traditional
  // characters, so its idioms are the cards' traditional forms.
  StudyStore(UserStore &store, bool traditionalEdition);
  bool IsAvailable() const;

  // The card's forms for an idiom of the open edition.
  StudyCard FormsOf(const QString &idiom) const;
  // The idiom as the open edition spells it.
  QString ShownForm(const StudyCard &card) const;

  // Favourite cards follow the favourites: one for each (brought back when
  // suspended), and those no longer favourites suspended with their history.
  bool FollowFavourites(const std::vector<QString> &favourites, int64_t now);
  // New cards for idioms that have none yet; false when not kept.
  bool AddCards(const std::vector<QString> &idioms, const QString &origin, int64_t now);
  // Never-reviewed cards of the origin leave study (or come back).
  bool SetWaitingSuspended(const QString &origin, bool suspended);
  bool HasCard(const QString &idiom) const;
  std::optional<StudyCard> CardOf(const QString &idiom) const;

  // The card to study next: the one due earliest, due by now.
  // The hour the learner's day starts at (StudyDay.h), as the settings keep it.
  int DayStartHour() const;
  bool SetDayStartHour(int hour);
  // The card to ask now: a card in review (due in days) from the start of
  // its due day, one learning or relearning (due in minutes) from its
  // minute, up to learnAhead seconds early.
  std::optional<StudyCard> NextDue(int64_t now, int64_t learnAhead = 0) const;
  // How many such cards there are now.
  int DueCount(int64_t now, int64_t learnAhead = 0) const;
  // When the first card in study can next be asked (a card in review from
  // the start of its day); nothing without cards.
  std::optional<int64_t> NextDueTime() const;
  // Cards not from favourites first studied since the time (the day's new cards).
  int NewCardsStudiedSince(int64_t since) const;
  // Cards not from favourites, in study, that were never reviewed.
  int WaitingNewCards() const;

  // Keeps the grade: the card's new memory and the log row, together.
  // The card is changed only if it still holds the memory the grade was
  // computed from: ChangedElsewhere when another window graded it
  // meanwhile, NotKept when the change could not be written. The log row's
  // id in *logId.
  enum class Recorded { Kept, ChangedElsewhere, NotKept };
  Recorded Record(const StudyCard &card, const ScheduledReview &review, const StudyAnswer &answer,
                  int64_t *logId = nullptr);
  // Takes that grade back: its card returns to its state before it, if it
  // still holds the state the grade left. The card's key; nothing when the
  // grade is not there or could not be undone.
  std::optional<QString> Undo(int64_t logId);
  int LogSize() const;

  // Reviews on each of the days starting at dayStarts (each the start of a
  // local day, the next one the end), oldest first.
  std::vector<int> ReviewsPerDay(const std::vector<int64_t> &dayStarts) const;
  // Cards falling due on each of those days (the first also counts those
  // overdue).
  std::vector<int> DueForecast(const std::vector<int64_t> &dayStarts) const;
  // Share of reviews answered other than Again among cards first studied a
  // week or more before the review; nothing before there are any.
  std::optional<double> MatureRetention() const;
  // The three together, read through a connection of their own to the
  // store's file, so that a year's log is counted off the window's thread.
  struct Figures {
    std::vector<int> reviewsPerDay, dueForecast;
    std::optional<double> retention;
  };
  static Figures ReadFigures(const QString &storePath, const std::vector<int64_t> &pastDays,
                             const std::vector<int64_t> &comingDays);

  // The log as CSV with a header line, oldest first.
  QByteArray ReviewLogCsv() const;

  QString Setting(const QString &name, const QString &fallback) const;
  bool SetSetting(const QString &name, const QString &value);

 private:
  StudyCard CardFrom(const RecordSet &rows) const;
  std::optional<StudyCard> FirstCard(const QString &where, const std::vector<SqlValue> &values) const;
  const SqlConnection *Db() const;

  UserStore &store_;
  bool traditional_;
};

}  // namespace velmora
