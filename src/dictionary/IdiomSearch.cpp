#include "IdiomSearch.h"

#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "FinderSource.h"
#include "config/StartupTrace.h"
#include "data/Conn.h"
#include "data/EditionFacts.h"

namespace velmora {

namespace {

// Waits for work still running; a future whose result was taken is done.
template <class T>
void Settle(const QFutureWatcher<T> &watcher) {
  QFuture<T> future = watcher.future();
  if (future.isValid() && future.isRunning()) future.waitForFinished();
}

// What a watcher's future made, waiting for it; a default one when it made
// nothing (no source was given).
template <class T>
T TakeMade(QFutureWatcher<T> &watcher) {
  QFuture<T> made = watcher.future();
  if (made.isValid()) made.waitForFinished();
  return made.isValid() && made.resultCount() > 0 ? made.takeResult() : T();
}

}  // namespace

IdiomSearch::IdiomSearch(QObject *parent) : QObject(parent) {
  connect(&finderWatcher_, &QFutureWatcher<IdiomFinder>::finished, this, [this] {
    Finder();
    StartMatcher();
  });
  connect(&matcherWatcher_, &QFutureWatcher<IdiomMatcher>::finished, this, [this] {
    TraceStartup("matcher-ready");
    if (!matcher_) {
      Matcher();
      emit matcherReady();
    }
  });
}

IdiomSearch::~IdiomSearch() {
  Settle(finderWatcher_);
  Settle(matcherWatcher_);
}

void IdiomSearch::Open(const IdiomList &list, const QString &connString) {
  Settle(finderWatcher_);
  Settle(matcherWatcher_);
  finder_.reset();
  matcher_.reset();
  meaning_.reset();
  frequencies_.reset();
  commonFirst_.reset();
  otherReadings_.reset();
  list_ = list;
  finderSource_ = FinderSource(list, connString);
  matcherSource_ = MatcherSource(list, connString);
}

void IdiomSearch::Start() {
  if (!finderSource_) return;
  finderWatcher_.setFuture(QtConcurrent::run(std::move(finderSource_)));
  finderSource_ = nullptr;
}

void IdiomSearch::StartMatcher() {
  Start();  // when the matcher is wanted before the find was begun
  if (!matcherSource_) return;
  matcherWatcher_.setFuture(QtConcurrent::run(std::move(matcherSource_)));
  matcherSource_ = nullptr;
}

const IdiomFinder &IdiomSearch::Finder() {
  if (!finder_) {
    Start();
    finder_ = TakeMade(finderWatcher_);
    TraceStartup("search-ready");
  }
  return *finder_;
}

const IdiomMatcher &IdiomSearch::Matcher() {
  if (!matcher_) {
    StartMatcher();
    matcher_ = TakeMade(matcherWatcher_);
    meaning_ = MeaningSearch::Open(DictionaryConnection());
  }
  return *matcher_;
}

std::vector<int> IdiomSearch::MeaningRows(const QString &key) {
  return meaning_ ? meaning_->Rows(key) : std::vector<int>();
}

IdiomSearch::Result IdiomSearch::Search(const QString &key, bool waitForMatcher) {
  const QString trimmed = key.trimmed();
  Result result;
  result.row = Finder().Find(trimmed);
  if (trimmed.isEmpty()) return result;
  if (!matcher_ && !waitForMatcher) {
    // Until the matcher is made the type-ahead answers alone.
    StartMatcher();
    return result;
  }
  result.matches = Find(trimmed);
  // A row the type-ahead reaches that the key does not match in any way
  // the match list knows is no answer: the best match is, and with no
  // match at all there is none.
  const Matches &found = *result.matches;
  if (std::none_of(found.begin(), found.end(), [&result](const IdiomMatcher::Match &m) { return m.row == result.row; }))
    result.row = found.empty() ? -1 : found.front().row;
  return result;
}

IdiomSearch::Matches IdiomSearch::Find(const QString &key) {
  const IdiomMatcher &matcher = Matcher();
  Matches found = matcher.Find(key, MeaningRows(key));
  const IdiomFrequencies &frequencies = Frequencies();
  if (frequencies.Known())
    std::stable_sort(found.begin(), found.end(),
                     [&frequencies](const IdiomMatcher::Match &a, const IdiomMatcher::Match &b) {
                       return a.kind != b.kind ? a.kind < b.kind : frequencies.Before(a.row, b.row);
                     });
  return found;
}

QString IdiomSearch::OtherReadingAt(int row) {
  if (!otherReadings_) {
    otherReadings_.emplace();
    if (const auto connection = DictionaryConnection()) {
      int line = 0;
      ForEachLineOfSearchData(*connection, kSearchOtherReading, [this, &line](QByteArrayView text) {
        if (!text.isEmpty()) otherReadings_->insert(line, QString::fromUtf8(text));
        ++line;
      });
    }
  }
  return otherReadings_->value(row);
}

const std::vector<int> &IdiomSearch::RowsCommonFirst() {
  if (!commonFirst_) commonFirst_ = Frequencies().RowsCommonFirst(list_.size());
  return *commonFirst_;
}

const IdiomFrequencies &IdiomSearch::Frequencies() {
  if (!frequencies_) {
    const auto connection = DictionaryConnection();
    frequencies_ = connection ? IdiomFrequencies::Read(*connection, list_.size()) : IdiomFrequencies();
  }
  return *frequencies_;
}

int IdiomSearch::RowOf(const QString &idiom) {
  const int row = Finder().Find(idiom);
  return row >= 0 && list_.IdiomAt(row) == idiom ? row : -1;
}

QString IdiomSearch::OtherScriptOf(const QString &idiom) {
  const int row = RowOf(idiom);
  if (row < 0) return {};
  if (matcher_) return matcher_->OtherScriptAt(row);
  // Before the matcher is made: the edition's line of the row.
  const auto connection = DictionaryConnection();
  if (!connection) return {};
  QString other;
  int line = 0;
  ForEachLineOfSearchData(*connection, kSearchOtherScript, [&](QByteArrayView text) {
    if (line++ == row) other = QString::fromUtf8(text);
  });
  return other;
}

}  // namespace velmora
