#pragma once
// The one owner of the idiom on display: its record, the idiom shown before
// it (the "Up:" label), the way back and forward, and what is kept in the
// user's history. An idiom is recorded only when the user chose it (Enter,
// a click, back or forward, a favourite) or when it stayed on display for
// two seconds: the rows a search passes while the user types are not the
// user's history.
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <optional>

#include "data/IdiomStore.h"
#include "reading/BrowseHistory.h"

namespace velmora {

class UserStore;

class Reader : public QObject {
  Q_OBJECT
 public:
  enum class Reason {
    Start,    // shown by itself when the window opens: never recorded
    Passing,  // reached while typing or moving through a list: recorded after the dwell
    Chosen,   // chosen by the user: recorded at once
    Browsed,  // reached by back or forward: recorded, the way itself unchanged
  };
  static constexpr int kDwellMilliseconds = 2000;

  explicit Reader(QObject *parent = nullptr);
  // Where favourites and history are kept; none keeps nothing.
  void SetStore(UserStore *store) { store_ = store; }

  void Show(const IdiomRecord &record, Reason reason);
  // Looks the idiom up and shows its record; an idiom the dictionary does
  // not find is shown with empty texts.
  void ShowIdiom(const QString &idiom, Reason reason);
  const IdiomRecord &Current() const { return current_; }
  const QString &CurrentIdiom() const { return current_.idiom; }
  // The last idiom settled on other than the current one: shown at the
  // start, chosen, browsed to, starred or left on display for the dwell,
  // not one passed while typing (unless none was settled on); a redisplay
  // of the same idiom leaves it as it was.
  const QString &Previous() const { return previous_; }
  // The idiom to show going back or forward; nothing at either end.
  std::optional<QString> Back();
  std::optional<QString> Forward();

  // While a review asks about an idiom, the idiom is not on display: shown,
  // it is shown blank (an empty record), though it stays the current idiom.
  // Another idiom, or none, ends that and shows the current record again.
  void Withhold(const QString &idiom);
  bool IsWithheld() const { return !withheld_.isEmpty() && withheld_ == current_.idiom; }

  // The user looks for something else (a key that matches nothing): an
  // idiom passed is not kept for staying on display.
  void LookAway() { dwell_.stop(); }

  bool IsFavourite() const;
  // False when the change could not be kept.
  bool SetFavourite(bool favourite);

  QTimer &DwellTimer() { return dwell_; }

 signals:
  void shown(const IdiomRecord &record);
  // The user's history gained the idiom.
  void recorded(const QString &idiom);

 private:
  void Keep(bool walk);

  IdiomRecord current_;
  void Settle();
  // What the listeners are shown: the current record, or a blank one while it is withheld.
  void Announce();

  QString withheld_;
  QString previous_;
  QStringList settled_;  // the last two idioms settled on, the latest first
  BrowseHistory browsed_;
  UserStore *store_ = nullptr;
  QTimer dwell_;
};

}  // namespace velmora
