// The main window on a 40,000-idiom edition (or VELMORA_BENCH_IDIOMS): construction and list fill,
// first display, one keystroke's find, the index tree and one detail display
// (bench_memory measures the resident memory).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "editions/EditionBuilder.h"
#include "editions/SyntheticSource.h"
#include "mainwindow/characters/CharacterCard.h"
#include "mainwindow/frmVELM.h"
#include "mainwindow/lookup/ReadTextDialog.h"

using namespace velmora;

namespace {

// 40,000 idioms unless VELMORA_BENCH_IDIOMS says otherwise (e.g. 200000).
const int kIdioms = qEnvironmentVariableIntValue("VELMORA_BENCH_IDIOMS") > 0
                        ? qEnvironmentVariableIntValue("VELMORA_BENCH_IDIOMS")
                        : 40000;

void UseEdition() {
  static QTemporaryDir dir;
  static bool ready = false;
  if (ready) return;
  const QString file = dir.path() + QStringLiteral("/Velmdict_cn.dat");
  editions::WriteEdition(editions::BuildRows(editions::SyntheticIdioms(kIdioms), editions::Edition::Gb), file,
                         kDatabasePassword, QStringLiteral("benchmark"));
  InstallPath() = dir.path() + QLatin1Char('/');
  ConnString() = BuildConnString(file);
  OpenDatabase();
  ready = true;
}

void BM_ConstructAndFillList(benchmark::State &state) {
  UseEdition();
  for (auto _ : state) {
    frmVELM window;
    window.Load();
    if (window.Browse().SearchList().Model().rowCount() != kIdioms) state.SkipWithError("list not filled");
  }
}

void BM_FirstIdiomDisplayed(benchmark::State &state) {
  UseEdition();
  for (auto _ : state) {
    frmVELM window;
    window.show();
    while (window.controls().txtIdiom->text().isEmpty()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

void BM_KeystrokeFind(benchmark::State &state) {
  UseEdition();
  frmVELM window;
  window.Load();
  const QStringList keys = {QStringLiteral("yima"), QStringLiteral("心"), QStringLiteral("zzz"), QStringLiteral("tdfs"),
                            QStringLiteral("shuiyue")};
  int i = 0;
  for (auto _ : state) window.controls().txtSearchKey->setText(keys[i++ % keys.size()]);
}

void BM_BuildTree(benchmark::State &state) {
  UseEdition();
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<frmVELM>();
    window->Load();
    state.ResumeTiming();
    window->controls().cmdKOVTreeList->click();
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}

void BM_DetailDisplay(benchmark::State &state) {
  UseEdition();
  frmVELM window;
  window.Load();
  window.controls().txtSearchKey->setText(QStringLiteral("xin"));
  for (auto _ : state) window.Browse().SearchList().Timer1_Timer();
}

// From a click on a character to its card drawn: the stroke record read,
// the idioms holding the character found and ordered, the strokes rendered.
// Uses the staged stroke file (build/velmora/Data/strokes.dat) when there is one.
void BM_CharacterCardOpens(benchmark::State &state) {
  UseEdition();
  const QString staged = QStringLiteral(VELMORA_SOURCE_DIR "/build/velmora/Data/strokes.dat");
  QDir().mkpath(InstallPath() + QStringLiteral("Data"));
  QFile::remove(InstallPath() + QStringLiteral("Data/strokes.dat"));
  if (!QFile::copy(staged, InstallPath() + QStringLiteral("Data/strokes.dat"))) {
    state.SkipWithError("no staged stroke file");
    return;
  }
  frmVELM window;
  window.Load();
  window.show();
  window.controls().txtSearchKey->setText(QStringLiteral("心"));
  window.Browse().SearchList().Timer1_Timer();
  int character = 0;
  for (auto _ : state) {
    window.Characters().OpenCharacter(character++ % 4);
    const QPixmap drawn = window.Characters().Card()->grab();
    benchmark::DoNotOptimize(drawn.cacheKey());
  }
}

// Read text: from the text set to every idiom listed, with the window's own
// reader (Ctrl+R). "longest stall ms" is the longest the event loop went
// without turning meanwhile: what a screen reader or a click waits at most.
void ReadText(benchmark::State &state, const std::function<QString(const QStringList &idioms)> &make) {
  UseEdition();
  frmVELM window;
  window.Load();
  window.show();
  const QStringList idioms = {window.Browse().SearchList().Model().IdiomAt(0),
                              window.Browse().SearchList().Model().IdiomAt(kIdioms / 2),
                              window.Browse().SearchList().Model().IdiomAt(kIdioms - 1)};
  const QString text = make(idioms);
  double longestStall = 0;
  for (auto _ : state) {
    window.Lookup().OpenReader();
    auto *dialog = window.findChild<QDialog *>(QStringLiteral("frmReadText"));
    auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("lstReadIdioms"));
    list->clear();
    QElapsedTimer turn;
    turn.start();
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, static_cast<double>(turn.restart())); });
    beat.start(5);
    static_cast<ReadTextDialog *>(dialog)->SetText(text);
    while (list->topLevelItemCount() == 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    beat.stop();
    dialog->hide();
  }
  state.counters["longest stall ms"] = longestStall;
}

// 10 MB of sentences, an idiom in each.
void BM_ReadTenMegabytes(benchmark::State &state) {
  ReadText(state, [](const QStringList &idioms) {
    QString text;
    for (int i = 0; text.size() * 3 < 10 * 1024 * 1024; ++i)
      text += QStringLiteral("他说这件事真是") + idioms[i % idioms.size()] + QStringLiteral("，大家都笑了。\n");
    return text;
  });
}

// A million idioms and nothing else, twenty to a line.
void BM_ReadAMillionIdioms(benchmark::State &state) {
  ReadText(state, [](const QStringList &idioms) {
    QString text;
    for (int i = 0; i < 1000000; ++i) text += idioms[i % idioms.size()] + (i % 2000000 == 19 ? u'\n' : u'，');
    return text;
  });
}

}  // namespace

BENCHMARK(BM_ReadTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_ReadAMillionIdioms)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_CharacterCardOpens)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_ConstructAndFillList)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_FirstIdiomDisplayed)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_KeystrokeFind)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_BuildTree)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_DetailDisplay)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  CloseDatabase();
  return 0;
}
