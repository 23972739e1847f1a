#include "Editions.h"

#include <QFile>
#include <QFileInfo>

#include "SourceError.h"
#include "TraditionalConverter.h"
#include "data/SqlConnection.h"

namespace velmora::mkdata {

namespace {

// A share of the whole build's progress.
BuildControl Part(const BuildControl &whole, double from, double share) {
  BuildControl part = whole;
  if (whole.progress) part.progress = [&whole, from, share](double done) { whole.progress(from + done * share); };
  return part;
}

void Step(const BuildControl &control, double done) {
  if (control.cancelled && control.cancelled()) throw BuildCancelled();
  if (control.progress) control.progress(done);
}

QString Description(Edition edition, const std::vector<SourceFacts> &facts) {
  QStringList names;
  for (const SourceFacts &source : facts) names << source.name;
  return (edition == Edition::Gb ? QStringLiteral("GB (simplified)") : QStringLiteral("BIG5 (traditional)")) +
         QStringLiteral(" from ") + names.join(QStringLiteral(" + "));
}

// Moves a file, replacing the target; false when it could not.
bool Move(const QString &from, const QString &to) {
  QFile::remove(to);
  return QFile::rename(from, to);
}

}  // namespace

void BuildEditions(const std::vector<LoadedSource> &sources, const EditionPaths &paths, const QString &password,
                   const BuildControl &control) {
  std::vector<SourceEntry> entries;
  std::vector<SourceFacts> facts;
  for (const LoadedSource &source : sources) {
    entries.insert(entries.end(), source.entries.begin(), source.entries.end());
    facts.push_back(source.facts);
  }
  Step(control, 0.01);
  const BuildControl gbRows = Part(control, 0.01, 0.07);
  const auto gb = BuildRows(entries, Edition::Gb, nullptr, &gbRows);
  const BuildControl gbPart = Part(control, 0.08, 0.40);
  WriteEdition(gb, paths.gb, password, Description(Edition::Gb, facts), facts, &gbPart);
  const TraditionalConverter converter;
  Step(control, 0.49);
  const BuildControl big5Rows = Part(control, 0.49, 0.06);
  const auto big5 = BuildRows(entries, Edition::Big5, &converter, &big5Rows);
  const BuildControl big5Part = Part(control, 0.55, 0.40);
  WriteEdition(big5, paths.big5, password, Description(Edition::Big5, facts), facts, &big5Part);
  // Verified as the program will open them: with the key, every row there.
  for (const auto &[path, rows] : {std::pair{paths.gb, gb.size()}, std::pair{paths.big5, big5.size()}}) {
    if (CountIdioms(path, password) != static_cast<long long>(rows))
      throw SourceError(QStringLiteral("%1 was written but does not read back whole").arg(path));
  }
  Step(control, 1.0);
}

long long CountIdioms(const QString &path, const QString &password) {
  QString error;
  const auto db = SqlConnection::Open(path, password, SqlConnection::Mode::ReadOnly, &error);
  RecordSet count;
  if (!db || db->Fetch(QStringLiteral("SELECT count(*) AS Idioms FROM VELM"), {}, &count) != 0) return -1;
  return count.Text(QStringLiteral("Idioms")).toLongLong();
}

QString PreviousEditionPath(const QString &inUse) { return inUse + QStringLiteral(".previous"); }

void ReplaceEditions(const EditionPaths &built, const EditionPaths &inUse) {
  std::vector<std::pair<QString, QString>> moved;  // (from, to), to undo in reverse
  const auto undo = [&moved] {
    for (auto step = moved.rbegin(); step != moved.rend(); ++step) Move(step->second, step->first);
  };
  for (const auto &[from, to] : {std::pair{built.gb, inUse.gb}, std::pair{built.big5, inUse.big5}}) {
    const QString previous = PreviousEditionPath(to);
    if (QFileInfo::exists(to)) {
      if (!Move(to, previous)) {
        undo();
        throw SourceError(QStringLiteral("%1 cannot be kept as the previous dictionary: its folder may not be written").arg(to));
      }
      moved.emplace_back(to, previous);
    }
    if (!Move(from, to)) {
      undo();
      throw SourceError(QStringLiteral("%1 cannot be replaced: its folder may not be written").arg(to));
    }
    moved.emplace_back(from, to);
  }
}

bool HasPreviousEditions(const EditionPaths &inUse) {
  return QFileInfo::exists(PreviousEditionPath(inUse.gb)) || QFileInfo::exists(PreviousEditionPath(inUse.big5));
}

void RestorePreviousEditions(const EditionPaths &inUse) {
  for (const QString &path : {inUse.gb, inUse.big5}) {
    const QString previous = PreviousEditionPath(path), swap = path + QStringLiteral(".swap");
    if (!QFileInfo::exists(previous)) continue;
    const bool hadCurrent = QFileInfo::exists(path);
    if ((hadCurrent && !Move(path, swap)) || !Move(previous, path) || (hadCurrent && !Move(swap, previous)))
      throw SourceError(QStringLiteral("%1 cannot be restored: its folder may not be written").arg(path));
  }
}

}  // namespace velmora::mkdata
