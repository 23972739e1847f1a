// The review at a learner's full size and beyond: 20,000 cards and 1,000,000 log rows.
// Choosing the next card, scheduling and keeping a grade, and opening the
// study view.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <random>

#include "data/SqlConnection.h"
#include "data/StudyStore.h"
#include "data/UserStore.h"
#include "mainwindow/study/StudyView.h"
#include "practice/Fsrs.h"

using namespace velmora;

namespace {

constexpr int kCards = 20000, kLogRows = 1000000;

QString StorePath() {
  static QTemporaryDir dir;
  static bool filled = false;
  const QString path = dir.filePath(QStringLiteral("velmora.db"));
  if (filled) return path;
  UserStore store(path, QStringLiteral("velmdict_cn.dat"));
  const SqlConnection &db = *store.Connection();
  const int64_t now = QDateTime::currentSecsSinceEpoch();
  std::mt19937 random(1);
  std::uniform_int_distribution<int64_t> spread(-30 * 86400, 60 * 86400);
  db.Execute(QStringLiteral("BEGIN"));
  for (int i = 0; i < kCards; ++i)
    db.Run(QStringLiteral("INSERT INTO Cards VALUES (?1, ?1, ?1, 'edition', ?2, 2, 0, 10.5, 5.2, ?3, ?2, 0, 3, 0)"),
           {QStringLiteral("成语%1").arg(i), static_cast<long long>(now - 90 * 86400),
            static_cast<long long>(now + spread(random))});
  for (int i = 0; i < kLogRows; ++i)
    db.Run(QStringLiteral("INSERT INTO ReviewLog (Card, Time, Grade, Kind, ElapsedDays, ScheduledDays, StateBefore, "
                          "StepBefore, StabilityBefore, DifficultyBefore, DueBefore, LastReviewBefore, LapsesBefore, "
                          "RepsBefore, StateAfter, StabilityAfter, DifficultyAfter, DueAfter) VALUES "
                          "(?1, ?2, 3, 'meaning', 3, 7, 2, 0, 5, 5, ?2, ?2, 0, 2, 2, 9, 5, ?2)"),
           {QStringLiteral("成语%1").arg(i % kCards), static_cast<long long>(now - (kLogRows - i) * 30)});
  db.Execute(QStringLiteral("COMMIT"));
  filled = true;
  return path;
}

void BM_NextCard(benchmark::State &state) {
  UserStore user(StorePath(), QStringLiteral("velmdict_cn.dat"));
  StudyStore store(user, false);
  for (auto _ : state) {
    const auto card = store.NextDue(QDateTime::currentSecsSinceEpoch());
    if (!card) state.SkipWithError("no card due");
  }
}

void BM_ScheduleAndKeepGrade(benchmark::State &state) {
  UserStore user(StorePath(), QStringLiteral("velmdict_cn.dat"));
  StudyStore store(user, false);
  const FsrsScheduler scheduler;
  for (auto _ : state) {
    const int64_t now = QDateTime::currentSecsSinceEpoch();
    const auto card = store.NextDue(now, 86400 * 60);
    const ScheduledReview review = scheduler.Review(card->memory, Grade::Good, now);
    if (store.Record(*card, review, {Grade::Good, QStringLiteral("meaning"), now}) != StudyStore::Recorded::Kept)
      state.SkipWithError("not kept");
  }
}

void BM_OpenStudyView(benchmark::State &state) {
  UserStore user(StorePath(), QStringLiteral("velmdict_cn.dat"));
  for (auto _ : state) {
    StudyView pane(nullptr);
    pane.SetStore(&user, false, nullptr);
    pane.Refresh();
    pane.show();
    QApplication::processEvents();
  }
}

// The progress page's three figures over the whole log, as its worker reads them.
void BM_ProgressFigures(benchmark::State &state) {
  const QString path = StorePath();
  std::vector<int64_t> past, coming;
  const int64_t now = QDateTime::currentSecsSinceEpoch();
  for (int day = -29; day <= 1; ++day) past.push_back(now + day * 86400);
  for (int day = 0; day <= 7; ++day) coming.push_back(now + day * 86400);
  for (auto _ : state)
    if (!StudyStore::ReadFigures(path, past, coming).retention) state.SkipWithError("no retention");
}

}  // namespace

BENCHMARK(BM_ProgressFigures)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_NextCard)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ScheduleAndKeepGrade)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenStudyView)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
