#pragma once
// Temporary installation folders and small dictionary editions for tests.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <ostream>
#include <vector>

#include "editions/SourceEntry.h"

// Readable QStrings in test failure messages.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace velmora::test {

// A handful of idioms with known pinyin, including letters that begin one
// idiom only (K, Q) and an idiom with a quote.
std::vector<editions::SourceEntry> SmallSource();

// Writes a GB-style edition of the entries to the path.
void WriteSmallEdition(const QString &path, const std::vector<editions::SourceEntry> &entries);

class TestInstall {
 public:
  TestInstall();
  QString path() const { return dir_.path() + QLatin1Char('/'); }
  QString file(const QString &relative) const { return path() + relative; }
  void Write(const QString &relative, const QByteArray &bytes) const;
  void WriteConfig(const QString &language, const QString &dataLanguage, const QString &openSystem = "1") const;
  void WriteLanguage(const QString &name, const QByteArray &body) const;
  void WriteEdition(const QString &fileName, const std::vector<editions::SourceEntry> &entries = SmallSource()) const;

 private:
  QTemporaryDir dir_;
};

// Opens the edition at the path as the program's database (ConnString set).
void UseDatabase(const QString &dataFile);

}  // namespace velmora::test
