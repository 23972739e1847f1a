#pragma once
// The user's own idioms for one edition: favourites and the history of
// idioms shown, kept in a plain database in the user's data folder. Every
// change is one transaction, so a program killed at any moment loses at most
// the change it was making; copies of the program running at once wait for
// one another instead of overwriting each other.
#include <QDateTime>
#include <QString>
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
  // A file that is not a sound store is moved aside (logged) and a fresh
  // one started; when nothing can be written there the store is unavailable
  // and every call below does nothing.
  UserStore(const QString &path, QString edition);
  ~UserStore();
  UserStore(const UserStore &) = delete;
  UserStore &operator=(const UserStore &) = delete;

  bool IsAvailable() const { return db_ != nullptr; }
  // Where a damaged store was moved; empty when none was.
  const QString &MovedAside() const { return movedAside_; }

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
  std::vector<Entry> Entries(const QString &query) const;

  QString edition_;
  QString movedAside_;
  std::unique_ptr<SqlConnection> db_;
};

}  // namespace velmora
