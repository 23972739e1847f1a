// The answer to a key on editions of 40,000 and 200,000 idioms: the
// window's search (type-ahead, matcher and meaning search, opened once),
// as the search box runs it for each key; beside it the same with the
// meaning search opened afresh for each key, as it once was.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/EditionFacts.h"
#include "data/IdiomStore.h"
#include "data/MeaningSearch.h"
#include "dictionary/FinderSource.h"
#include "dictionary/IdiomMatcher.h"
#include "dictionary/IdiomSearch.h"
#include "editions/EditionBuilder.h"
#include "editions/SyntheticSource.h"

using namespace velmora;

namespace {

// The edition of a size, opened as the program's database, and its matcher.
const IdiomMatcher &UseEdition(int idioms) {
  static QTemporaryDir dir;
  static std::map<int, std::unique_ptr<IdiomMatcher>> matchers;
  const QString file = dir.path() + QStringLiteral("/Velmdict_%1.dat").arg(idioms);
  if (!matchers.count(idioms)) {
    editions::WriteEdition(editions::BuildRows(editions::SyntheticIdioms(idioms), editions::Edition::Gb), file,
                           kDatabasePassword, QStringLiteral("benchmark"));
    QString error;
    const auto connection = SqlConnection::Open(file, kDatabasePassword, SqlConnection::Mode::ReadOnly, &error);
    auto matcher = std::make_unique<IdiomMatcher>();
    ForEachIdiomInCodeOrder(*connection,
                            [&](const QString &idiom, const QString &spell) { matcher->Add(idiom, spell); });
    matcher->SetOtherScript(ReadOtherScriptLines(*connection));
    matchers[idioms] = std::move(matcher);
  }
  CloseDatabase();
  ConnString() = BuildConnString(file);
  OpenDatabase();
  return *matchers[idioms];
}

// Characters, a fragment, pinyin with and without tones, cut short,
// initials, wildcards, a meaning, and a key that matches nothing.
const QStringList kKeys = {"心", "爱花", "yi", "hua4 long2", "huashet", "ymdx", "画*花", "*爱?", "大家", "zzzq"};

void BM_MatchListPerKey(benchmark::State &state) {
  UseEdition(static_cast<int>(state.range(0)));
  IdiomSearch search;
  search.Open(AllIdioms(), ConnString());
  search.Matcher();
  size_t i = 0, found = 0;
  for (auto _ : state) {
    const IdiomSearch::Result answer =
        search.Search(kKeys[static_cast<qsizetype>(i++ % static_cast<size_t>(kKeys.size()))], true);
    found += answer.matches->size() + static_cast<size_t>(answer.row + 1);
  }
  benchmark::DoNotOptimize(found);
}

// The same keys as they were once answered: the type-ahead and the
// matcher, with the meaning search (its word index and tokenizer) opened
// afresh for each key.
void BM_MatchListPerKeyOpeningMeaning(benchmark::State &state) {
  UseEdition(static_cast<int>(state.range(0)));
  IdiomSearch search;
  search.Open(AllIdioms(), ConnString());
  const IdiomMatcher &matcher = search.Matcher();
  size_t i = 0, found = 0;
  for (auto _ : state) {
    const QString &key = kKeys[static_cast<qsizetype>(i++ % static_cast<size_t>(kKeys.size()))];
    found += static_cast<size_t>(search.Finder().Find(key) + 1) + matcher.Find(key, RowsMatchingMeaning(key)).size();
  }
  benchmark::DoNotOptimize(found);
}

// One kind of key at a time, so that a slow kind shows: the argument
// picks the key from kKeys.
void BM_MatchListKeyKind(benchmark::State &state) {
  UseEdition(static_cast<int>(state.range(0)));
  IdiomSearch search;
  search.Open(AllIdioms(), ConnString());
  search.Matcher();
  const QString &key = kKeys[static_cast<qsizetype>(state.range(1))];
  state.SetLabel(key.toStdString());
  size_t found = 0;
  for (auto _ : state) found += search.Search(key, true).matches->size();
  benchmark::DoNotOptimize(found);
}

// The meaning search alone, for the same keys.
void BM_MeaningSearchPerKey(benchmark::State &state) {
  UseEdition(static_cast<int>(state.range(0)));
  const auto meaning = MeaningSearch::Open(DictionaryConnection());
  size_t i = 0, found = 0;
  for (auto _ : state)
    found += meaning->Rows(kKeys[static_cast<qsizetype>(i++ % static_cast<size_t>(kKeys.size()))]).size();
  benchmark::DoNotOptimize(found);
}

// Keys pasted or held down: 10,000 stars, a long wildcard pattern, a long
// run of letters. Each must cost about what an ordinary key costs.
void BM_MatchListHostileKey(benchmark::State &state) {
  UseEdition(static_cast<int>(state.range(0)));
  IdiomSearch search;
  search.Open(AllIdioms(), ConnString());
  search.Matcher();
  const QStringList keys = {QString(10000, QLatin1Char('*')), QStringLiteral("*a?").repeated(3000),
                            QString(10000, QLatin1Char('y')), QStringLiteral("比喻 OR ").repeated(1000)};
  size_t i = 0, found = 0;
  for (auto _ : state)
    found += search.Search(keys[static_cast<qsizetype>(i++ % static_cast<size_t>(keys.size()))], true).matches->size();
  benchmark::DoNotOptimize(found);
}

}  // namespace

// The matcher made from the edition, as the program makes it after the
// first frame: what a key handed over at the start waits for.
void BM_MatcherFromEdition(benchmark::State &state) {
  UseEdition(static_cast<int>(state.range(0)));
  const IdiomList list = AllIdioms();
  for (auto _ : state) benchmark::DoNotOptimize(MatcherSource(list, ConnString())().size());
}

BENCHMARK(BM_MatcherFromEdition)
    ->Arg(40000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(BM_MatchListHostileKey)->Arg(200000)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_MeaningSearchPerKey)->Arg(200000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_MatchListPerKeyOpeningMeaning)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_MatchListKeyKind)
    ->ArgsProduct({{40000, 200000}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(BM_MatchListPerKey)
    ->Arg(40000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  CloseDatabase();
  return 0;
}
