// Related idioms at 40,000 idioms (or VELMORA_BENCH_IDIOMS): the strip's
// look-up for one idiom, the chain's successors, and building and loading the
// index the builder stores in the edition.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "dictionary/IdiomAutomaton.h"
#include "dictionary/RelatedIndex.h"
#include "editions/EditionBuilder.h"
#include "editions/SyntheticSource.h"

using namespace velmora;

namespace {

const int kIdioms = qEnvironmentVariableIntValue("VELMORA_BENCH_IDIOMS") > 0
                        ? qEnvironmentVariableIntValue("VELMORA_BENCH_IDIOMS")
                        : 40000;

const std::vector<editions::IdiomRow> &Rows() {
  static const std::vector<editions::IdiomRow> rows =
      editions::BuildRows(editions::SyntheticIdioms(kIdioms), editions::Edition::Gb);
  return rows;
}

RelatedIndex Build() {
  RelatedIndex index;
  for (const auto &row : Rows()) index.Add(row.idiom, row.spell.value_or(QString()), row.note.value_or(QString()));
  index.Finish();
  return index;
}

const RelatedIndex &Index() {
  static const RelatedIndex index = Build();
  return index;
}

void BM_RelatedOfOneIdiom(benchmark::State &state) {
  const RelatedIndex &index = Index();
  int row = 0;
  for (auto _ : state) {
    row = (row + 7919) % index.size();
    benchmark::DoNotOptimize(index.Find(index.IdiomAt(row)));
  }
}

void BM_ChainSuccessors(benchmark::State &state) {
  const RelatedIndex &index = Index();
  int row = 0;
  for (auto _ : state) {
    row = (row + 7919) % index.size();
    benchmark::DoNotOptimize(index.Successors(row, ChainRule::SameSyllable));
  }
}

void BM_BuildIndex(benchmark::State &state) {
  Rows();
  for (auto _ : state) benchmark::DoNotOptimize(Build());
}

void BM_LoadStoredIndex(benchmark::State &state) {
  const QByteArray bytes = Index().Serialize();
  state.counters["stored_MB"] = static_cast<double>(bytes.size()) / 1e6;
  for (auto _ : state) benchmark::DoNotOptimize(RelatedIndex::Deserialize(bytes));
}

// A megabyte of text, idioms scattered through it, read by the automaton
// built over every idiom.
void BM_ReadAMegabyteOfText(benchmark::State &state) {
  IdiomAutomaton automaton;
  const auto &rows = Rows();
  for (size_t i = 0; i < rows.size(); ++i) automaton.Add(rows[i].idiom, static_cast<int>(i));
  automaton.Finish();
  QString text;
  for (size_t i = 0; text.size() < 350000; i += 97)
    text += QStringLiteral("他说这件事") + rows[i % rows.size()].idiom + QStringLiteral("，大家都同意。");
  state.counters["text_MB"] = static_cast<double>(text.toUtf8().size()) / 1e6;
  size_t found = 0;
  for (auto _ : state) found = automaton.Scan(text).size();
  state.counters["found"] = static_cast<double>(found);
}

void BM_BuildAutomaton(benchmark::State &state) {
  const auto &rows = Rows();
  for (auto _ : state) {
    IdiomAutomaton automaton;
    for (size_t i = 0; i < rows.size(); ++i) automaton.Add(rows[i].idiom, static_cast<int>(i));
    automaton.Finish();
    benchmark::DoNotOptimize(automaton);
  }
}

}  // namespace

BENCHMARK(BM_ReadAMegabyteOfText)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BuildAutomaton)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_RelatedOfOneIdiom)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ChainSuccessors)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadStoredIndex)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
