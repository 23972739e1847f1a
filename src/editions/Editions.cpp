#include "Editions.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <future>
#include <iterator>
#include <memory>
#include <mutex>

#include "ScriptConverter.h"
#include "SourceError.h"
#include "TraditionalEntries.h"
#include "data/SqlConnection.h"

namespace velmora::editions {

namespace {

// One edition from entries in its script: its rows, its file, then the file
// verified as the program will open it (with the key, every row there).
void BuildEdition(const std::vector<SourceEntry> &entries, Edition edition, const QString &path,
                  const QString &password, const std::vector<SourceFacts> &facts, const BuildControl &control) {
  const BuildControl rowsPart = control.Part(0, 0.15), filePart = control.Part(0.15, 0.85);
  const auto rows = BuildRows(entries, edition, &rowsPart);
  WriteEdition(rows, path, password, EditionDescription(edition, facts), facts, &filePart);
  if (CountIdioms(path, password) != static_cast<long long>(rows.size()))
    throw SourceError(QStringLiteral("%1 was written but does not read back whole").arg(path));
  control.Step(1.0);
}

// The traditional edition: its entries converted (a third of its work), then
// built. When another thread converts the entries from `from` on, the part
// before it is converted here and the other's part is waited for.
void BuildTraditional(const std::vector<SourceEntry> &entries, size_t from, std::future<std::vector<SourceEntry>> *rest,
                      const QString &path, const QString &password, const std::vector<SourceFacts> &facts,
                      const BuildControl &control) {
  const BuildControl conversion = control.Part(0, 0.3);
  std::vector<SourceEntry> converted = InTraditional(entries, 0, rest ? from : entries.size(), &conversion);
  if (rest) {
    std::vector<SourceEntry> theirs = rest->get();
    converted.insert(converted.end(), std::make_move_iterator(theirs.begin()), std::make_move_iterator(theirs.end()));
  }
  BuildEdition(converted, Edition::Big5, path, password, facts, control.Part(0.3, 0.7));
}

// Where the entries' texts to convert are cut in two halves of about the
// same length: the rich sources' entries hold most of the text, a
// dictionary's little.
size_t HalfOfTheText(const std::vector<SourceEntry> &entries) {
  const auto length = [](const SourceEntry &entry) {
    if (!entry.traditional.isEmpty()) return qsizetype{0};
    qsizetype characters = entry.simplified.size();
    for (const auto &text : {entry.note, entry.source, entry.example}) characters += text ? text->size() : 0;
    return characters;
  };
  qsizetype total = 0;
  for (const SourceEntry &entry : entries) total += length(entry);
  qsizetype before = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (2 * before >= total) return i;
    before += length(entries[i]);
  }
  return entries.size();
}

// The two editions are built side by side, the traditional one on a thread
// of its own: each is a whole build of its own (rows, file), and they share
// the traditional conversion, so on two cores the import takes about half
// the time of both. The caller's control is told the mean of the two and
// asked from one thread at a time; the first failure stops the other build
// and is the one reported.
class SideBySide {
 public:
  explicit SideBySide(const BuildControl &whole) : whole_(whole) {}

  BuildControl PartFor(int edition) {
    BuildControl part;
    part.cancelled = [this] {
      const std::lock_guard<std::mutex> lock(guard_);
      return failed_ || (whole_.cancelled && whole_.cancelled());
    };
    part.progress = [this, edition](double done) {
      const std::lock_guard<std::mutex> lock(guard_);
      done_[edition] = done;
      if (whole_.progress) whole_.progress(0.01 + 0.98 * (done_[0] + done_[1]) / 2);
    };
    return part;
  }

  void Run(const std::function<void()> &build) {
    try {
      build();
    } catch (...) {
      const std::lock_guard<std::mutex> lock(guard_);
      if (!failed_) error_ = std::current_exception();
      failed_ = true;
    }
  }

  void RethrowFirstFailure() const {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  const BuildControl &whole_;
  std::mutex guard_;
  std::array<double, 2> done_{};
  bool failed_ = false;
  std::exception_ptr error_;
};

}  // namespace

void BuildEditions(const std::vector<LoadedSource> &sources, const EditionPaths &paths, const QString &password,
                   const BuildControl &control) {
  std::vector<SourceEntry> entries;
  std::vector<SourceFacts> facts;
  for (const LoadedSource &source : sources) {
    entries.insert(entries.end(), source.entries.begin(), source.entries.end());
    for (const SourceFacts &fact : source.recorded.empty() ? std::vector<SourceFacts>{source.facts} : source.recorded)
      // A source imported again is named once.
      if (std::none_of(facts.begin(), facts.end(), [&fact](const SourceFacts &known) {
            return known.name == fact.name && known.version == fact.version;
          }))
        facts.push_back(fact);
  }
  control.Step(0.01);
  // OpenCC's converters, made once for the whole build and shared by both
  // editions' threads (each is a tenth of a second to make), side by side.
  auto simplifiedLater = std::async(std::launch::async, [] { return ScriptConverter("t2s.json"); });
  const ScriptConverter toTraditional("s2t.json");
  const ScriptConverter toSimplified = simplifiedLater.get();
  SimplifyTraditionalWords(&entries, toSimplified);
  if (paths.gb.isEmpty() || paths.big5.isEmpty()) {
    const BuildControl part = control.Part(0.01, 0.98);
    if (!paths.gb.isEmpty()) BuildEdition(entries, Edition::Gb, paths.gb, password, facts, part);
    if (!paths.big5.isEmpty()) BuildTraditional(entries, 0, nullptr, paths.big5, password, facts, part);
  } else {
    SideBySide both(control);
    const BuildControl gbPart = both.PartFor(0), big5Part = both.PartFor(1);
    // The traditional edition's conversion in two halves: this thread
    // converts the second before its own build, the traditional build's
    // thread the first. On two cores both builds then start and end about
    // together.
    const size_t half = HalfOfTheText(entries);
    BuildControl stopOnly;
    stopOnly.cancelled = big5Part.cancelled;
    std::promise<std::vector<SourceEntry>> secondHalf;
    std::future<std::vector<SourceEntry>> converted = secondHalf.get_future();
    auto traditional = std::async(std::launch::async, [&] {
      both.Run([&] { BuildTraditional(entries, half, &converted, paths.big5, password, facts, big5Part); });
    });
    both.Run([&] {
      try {
        secondHalf.set_value(InTraditional(entries, half, entries.size(), &stopOnly));
      } catch (...) {
        secondHalf.set_exception(std::current_exception());
        throw;
      }
      BuildEdition(entries, Edition::Gb, paths.gb, password, facts, gbPart);
    });
    traditional.get();
    both.RethrowFirstFailure();
  }
  control.Step(1.0);
}

}  // namespace velmora::editions
