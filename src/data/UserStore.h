#pragma once
// The user's own idioms for one edition: favourites and the history of
// idioms shown, kept in a plain database in the user's data folder. Every
// change is one transaction, so a program killed at any moment loses at most
// the change it was making; copies of the program running at once wait for
// one another instead of overwriting each other.
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace velmora {

class SqlConnection;

class UserStore {
 public:
  struct Entry {
    QString idiom;
    QDateTime when;
  };
  static constexpr int kHistoryLength = 500;

  // Opens the store at path for the edition, creating it and its folder.
  // A damaged file is moved aside (logged) and a fresh one started with
  // what could be read from it; a store of a newer Velmora is left as it
  // is. When nothing can be written there, or the store is newer, it is
  // unavailable and every call below does nothing.
  UserStore(const QString &path, QString edition);
  ~UserStore();
  UserStore(const UserStore &) = delete;
  UserStore &operator=(const UserStore &) = delete;

  bool IsAvailable() const { return db_ != nullptr; }
  // The other edition and how an idiom is spelt there: each favourite and
  // history entry is kept for both editions at once, so that the same idiom
  // in either script is one favourite, shown in each edition's own script.
  void SetOtherEdition(QString edition, std::function<QString(const QString &)> otherForm);
  // Where a damaged store was moved; empty when none was.
  const QString &MovedAside() const { return movedAside_; }
  // What the user is told once about the store opened at path: that it was
  // damaged and what came back, or that it is a newer Velmora's; empty when
  // there is nothing to tell.
  QString Notice(const QString &path) const;
  // How many favourites and history entries were read back from it.
  int Salvaged() const { return salvaged_; }
  // Study cards and review log rows read back from a damaged store.
  int SalvagedCards() const { return salvagedCards_; }
  int SalvagedReviews() const { return salvagedReviews_; }
  // True when the store is of a newer Velmora (a later schema version),
  // and left untouched.
  bool IsNewer() const { return newer_; }

  // The open database, for the study schedule kept beside favourites and
  // history; null when the store is unavailable.
  const SqlConnection *Connection() const { return db_.get(); }
  const QString &Edition() const { return edition_; }
  // The store's file, for a reader of its own on another thread.
  const QString &Path() const { return path_; }
  // The idiom in the other edition's script; empty when not known.
  QString OtherForm(const QString &idiom) const;

  // A number that changes when another connection (another window of the
  // user) has changed the store since it was last read; -1 when unavailable.
  long long OutsideChanges() const;

  bool IsFavourite(const QString &idiom) const;
  // Adds or removes a favourite; false when the change could not be kept.
  bool SetFavourite(const QString &idiom, bool favourite);
  // Newest first.
  std::vector<Entry> Favourites() const;
  // Puts the idiom at the head of the history (once: an idiom shown again
  // moves up), keeping the newest kHistoryLength.
  bool RecordShown(const QString &idiom);
  // Newest first.
  std::vector<Entry> History() const;

 private:
  std::unique_ptr<SqlConnection> Open(const QString &path);
  void MoveAside(const QString &path, const QString &why);
  void Salvage(const SqlConnection &db);
  std::vector<Entry> Entries(const QString &query) const;

  // The (edition, idiom) pairs a change applies to: this edition's, and the
  // other's when its form is known.
  std::vector<std::pair<QString, QString>> BothForms(const QString &idiom) const;

  QString edition_;
  QString path_;
  QString otherEdition_;
  std::function<QString(const QString &)> otherForm_;
  QString movedAside_;
  int salvaged_ = 0, salvagedCards_ = 0, salvagedReviews_ = 0;
  bool newer_ = false;
  std::unique_ptr<SqlConnection> db_;
};

}  // namespace velmora
