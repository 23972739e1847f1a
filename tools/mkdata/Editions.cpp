#include "Editions.h"

#include <QFile>
#include <QFileInfo>

#include "SourceError.h"
#include "TraditionalConverter.h"
#include "data/SqlConnection.h"

namespace velmora::mkdata {

namespace {

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
  control.Step(0.01);
  const BuildControl gbRows = control.Part(0.01, 0.07), gbFile = control.Part(0.08, 0.40);
  const auto gb = BuildRows(entries, Edition::Gb, nullptr, &gbRows);
  WriteEdition(gb, paths.gb, password, EditionDescription(Edition::Gb, facts), facts, &gbFile);
  const TraditionalConverter converter;
  control.Step(0.49);
  const BuildControl big5Rows = control.Part(0.49, 0.06), big5File = control.Part(0.55, 0.40);
  const auto big5 = BuildRows(entries, Edition::Big5, &converter, &big5Rows);
  WriteEdition(big5, paths.big5, password, EditionDescription(Edition::Big5, facts), facts, &big5File);
  // Verified as the program will open them: with the key, every row there.
  for (const auto &[path, rows] : {std::pair{paths.gb, gb.size()}, std::pair{paths.big5, big5.size()}}) {
    if (CountIdioms(path, password) != static_cast<long long>(rows))
      throw SourceError(QStringLiteral("%1 was written but does not read back whole").arg(path));
  }
  control.Step(1.0);
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
