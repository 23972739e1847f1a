#pragma once
// Builds one edition of the dictionary: merges the source's idioms by their
// text, orders them as the database collation does, numbers them 1..N and
// writes the keyed data file.
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <vector>

#include "SourceEntry.h"

namespace velmora::editions {

enum class Edition { Gb, Big5 };

struct IdiomRow {
  long long code = 0;
  QString idiom;
  QString firstA;
  QString initial;
  std::optional<QString> spell;
  std::optional<QString> note;
  std::optional<QString> source;
  std::optional<QString> example;
  QStringList synonyms, antonyms;      // in the edition's script
  std::optional<long long> frequency;  // the largest count of its entries
  QString otherReading;                // another source's reading, where it differs
};

struct BuildControl;

// The rows of an edition in code order. The Big5 edition takes each entry's
// traditional text (InTraditional converts the entries of sources that have
// none), or the simplified where it has none.
std::vector<IdiomRow> BuildRows(const std::vector<SourceEntry> &entries, Edition edition,
                                const BuildControl *control = nullptr);

// What the edition's VelmoraInfo says it is: "GB (simplified) from CC-CEDICT".
QString EditionDescription(Edition edition, const std::vector<SourceFacts> &sources);

// How a long build reports and stops: progress as a fraction of the work
// (0..1); a build whose cancelled() turns true stops with BuildCancelled at
// the next step, leaving nothing behind.
struct BuildControl {
  std::function<void(double fraction)> progress;
  std::function<bool()> cancelled;

  // The control of a step that is the share from..from+share of this work.
  BuildControl Part(double from, double share) const;
  // Reports the fraction done; throws BuildCancelled when cancelled.
  void Step(double done) const;
};
class BuildCancelled : public std::exception {
 public:
  const char *what() const noexcept override { return "cancelled"; }
};

// Writes the rows to a new data file keyed with the password (written aside,
// then moved over the target), recording the sources in VelmoraInfo. Throws
// SourceError, in words, when the file cannot be written (a full disk, a
// folder that may not be written).
void WriteEdition(const std::vector<IdiomRow> &rows, const QString &path, const QString &password,
                  const QString &description, const std::vector<SourceFacts> &sources = {},
                  const BuildControl *control = nullptr);

}  // namespace velmora::editions
