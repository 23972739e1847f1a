#pragma once
// The search over the edition in use, one for the whole window: the
// type-ahead find, the matcher and the meaning search, made once per edition
// off the window's thread and shared by every part that looks idioms up.
// A key is read once here and answered with the row to show and the match
// list.
#include <QFutureWatcher>
#include <QHash>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "IdiomFinder.h"
#include "IdiomFrequencies.h"
#include "IdiomMatcher.h"
#include "data/IdiomStore.h"
#include "data/MeaningSearch.h"

namespace velmora {

class IdiomSearch : public QObject {
  Q_OBJECT
 public:
  using Matches = std::vector<IdiomMatcher::Match>;
  struct Result {
    // The list row the key leads to: the type-ahead's row when the key
    // matches it, else the best match; -1 when nothing answers the key.
    int row = -1;
    // Best first; none while the matcher is still being made.
    std::optional<Matches> matches;
  };

  explicit IdiomSearch(QObject *parent = nullptr);
  ~IdiomSearch() override;

  // The edition's list: what is searched from now on. The find and the
  // matcher are made once Start is called (or the moment one is wanted).
  void Open(const IdiomList &list, const QString &connString);
  // Begins making the find, then the matcher, on another thread.
  void Start();

  // The key answered: the type-ahead always (waiting for the find), the
  // matches only once the matcher is made unless waitForMatcher.
  Result Search(const QString &key, bool waitForMatcher);
  // The match list for a key, waiting for the matcher: best first, and
  // within a kind of match the common idioms first.
  Matches Find(const QString &key);
  // How common each idiom of the list is.
  const IdiomFrequencies &Frequencies();
  // Another source's reading of the row's idiom where it differs from its
  // own; empty for none.
  QString OtherReadingAt(int row);
  // Every row of the list, common first (made once).
  const std::vector<int> &RowsCommonFirst();

  bool MatcherReady() const { return matcher_.has_value(); }
  // Waits for what is still being made.
  const IdiomFinder &Finder();
  const IdiomMatcher &Matcher();
  // The list row whose idiom is exactly this one; -1 when there is none.
  int RowOf(const QString &idiom);
  // The idiom as the other edition spells it; empty when the list does not
  // hold it or the edition does not say.
  QString OtherScriptOf(const QString &idiom);

 signals:
  // The matcher is made: a key typed while it was being made can be answered.
  void matcherReady();

 private:
  void StartMatcher();
  std::vector<int> MeaningRows(const QString &key);

  std::function<IdiomFinder()> finderSource_;
  std::function<IdiomMatcher()> matcherSource_;
  IdiomList list_;
  std::optional<IdiomFinder> finder_;
  std::optional<IdiomMatcher> matcher_;
  // Opened on the window's thread, on its connection, once the matcher is.
  std::unique_ptr<MeaningSearch> meaning_;
  std::optional<IdiomFrequencies> frequencies_;
  std::optional<std::vector<int>> commonFirst_;
  std::optional<QHash<int, QString>> otherReadings_;
  // Made after the find, so that the two never hold their reading at once.
  QFutureWatcher<IdiomFinder> finderWatcher_;
  QFutureWatcher<IdiomMatcher> matcherWatcher_;
};

}  // namespace velmora
