// Feeds every saved fuzz input (the seed corpus and the inputs that once
// crashed) through the fuzz targets' checks, on every test run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#define VELMORA_FUZZ_TARGET(name) extern "C" int Fuzz_##name(const uint8_t *data, size_t size);
VELMORA_FUZZ_TARGET(config_reader)
VELMORA_FUZZ_TARGET(language_lookup)
VELMORA_FUZZ_TARGET(cedict_reader)
VELMORA_FUZZ_TARGET(json_reader)
VELMORA_FUZZ_TARGET(pinyin)
VELMORA_FUZZ_TARGET(conn_string)
VELMORA_FUZZ_TARGET(user_store)
VELMORA_FUZZ_TARGET(meaning_query)
VELMORA_FUZZ_TARGET(matcher)
VELMORA_FUZZ_TARGET(flashcard)
VELMORA_FUZZ_TARGET(window_ini)
VELMORA_FUZZ_TARGET(import_format)
VELMORA_FUZZ_TARGET(prefix_index)
VELMORA_FUZZ_TARGET(related_index)
VELMORA_FUZZ_TARGET(word_index)
VELMORA_FUZZ_TARGET(word_list)
VELMORA_FUZZ_TARGET(stroke_file)

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

TEST(FuzzInputs, ConfigReader) { Replay("config_reader", Fuzz_config_reader); }
TEST(FuzzInputs, LanguageLookup) { Replay("language_lookup", Fuzz_language_lookup); }
TEST(FuzzInputs, CedictReader) { Replay("cedict_reader", Fuzz_cedict_reader); }
TEST(FuzzInputs, JsonReader) { Replay("json_reader", Fuzz_json_reader); }
TEST(FuzzInputs, Pinyin) { Replay("pinyin", Fuzz_pinyin); }
TEST(FuzzInputs, ConnString) { Replay("conn_string", Fuzz_conn_string); }
TEST(FuzzInputs, UserStore) { Replay("user_store", Fuzz_user_store); }
TEST(FuzzInputs, MeaningQuery) { Replay("meaning_query", Fuzz_meaning_query); }
TEST(FuzzInputs, Matcher) { Replay("matcher", Fuzz_matcher); }
TEST(FuzzInputs, Flashcard) { Replay("flashcard", Fuzz_flashcard); }
TEST(FuzzInputs, WindowIni) { Replay("window_ini", Fuzz_window_ini); }
TEST(FuzzInputs, ImportFormat) { Replay("import_format", Fuzz_import_format); }
TEST(FuzzInputs, PrefixIndex) { Replay("prefix_index", Fuzz_prefix_index); }
TEST(FuzzInputs, RelatedIndex) { Replay("related_index", Fuzz_related_index); }
TEST(FuzzInputs, WordIndex) { Replay("word_index", Fuzz_word_index); }
TEST(FuzzInputs, WordList) { Replay("word_list", Fuzz_word_list); }
TEST(FuzzInputs, StrokeFile) { Replay("stroke_file", Fuzz_stroke_file); }
