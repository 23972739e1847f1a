// Feeds every saved fuzz input (the seed corpus and the inputs that once
// crashed) through the fuzz targets' checks, on every test run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

extern "C" int FuzzConfigReader(const uint8_t *data, size_t size);
extern "C" int FuzzLanguageLookup(const uint8_t *data, size_t size);

namespace {

void Replay(const QString &target, int (*fuzz)(const uint8_t *, size_t)) {
  int files = 0;
  for (const QString folder : {"corpus", "regressions"}) {
    const QDir dir(QStringLiteral(VELMORA_FUZZ_DIR) + "/" + folder + "/" + target);
    for (const QString &name : dir.entryList(QDir::Files)) {
      QFile file(dir.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      const QByteArray bytes = file.readAll();
      fuzz(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<size_t>(bytes.size()));
      ++files;
    }
  }
  EXPECT_GT(files, 0) << "no saved inputs for " << target.toStdString();
}

}  // namespace

TEST(FuzzInputs, ConfigReader) { Replay("config_reader", FuzzConfigReader); }
TEST(FuzzInputs, LanguageLookup) { Replay("language_lookup", FuzzLanguageLookup); }
