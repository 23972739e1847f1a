// velmora-mkdata: writes the dictionary's data files from idiom sources.
//
//   velmora-mkdata --cedict data/all.js --gb Velmdict_cn.dat --big5 Velmdict_big5.dat
//   velmora-mkdata --json idioms.json --cedict cedict_ts.u8 --gb Velmdict_cn.dat --big5 Velmdict_big5.dat
//   velmora-mkdata --synthetic 40000 --gb Velmdict_cn.dat   (made-up idioms, for trials)
//
// --json and --cedict may be given any number of times; entries of the same
// idiom merge (Chinese texts from the source that has them, the English
// definitions after them). --words names the jieba dictionary (dict.txt):
// CC-CEDICT's entries it tags as idioms join the idioms, and its counts say
// how common each idiom is; --keep-words writes the part of it that an
// installation keeps for its imports. --strokes names hanzi-writer-data's
// folder: the characters of the editions written get their strokes (and
// CC-CEDICT's entries of them, from the first --cedict all.js) in the stroke
// file --strokes-out.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <future>

#include "data/ConnString.h"
#include "editions/Editions.h"
#include "editions/ReadingCheck.h"
#include "editions/ScriptConverter.h"
#include "editions/SourceError.h"
#include "editions/SourceFile.h"
#include "editions/StrokeFileWriter.h"
#include "editions/SyntheticSource.h"
#include "editions/WordList.h"

using namespace velmora;
using namespace velmora::editions;

namespace {

struct Options {
  std::vector<std::pair<SourceKind, QString>> sources;
  QString synthetic, gb, big5, words, keepWords, readings, strokes, strokesOut;
  bool readingReport = false;
  QString password = kDatabasePassword;
};

int Usage() {
  std::fprintf(stderr,
               "usage: velmora-mkdata (--json FILE | --cedict FILE)... [--gb FILE] [--big5 FILE]\n"
               "       velmora-mkdata --synthetic COUNT [--gb FILE] [--big5 FILE]\n"
               "  --json FILE     idioms in the JSON layout [{\"word\", \"pinyin\", \"explanation\", ...}]\n"
               "  --cedict FILE   CC-CEDICT: the cc-cedict package's data/all.js, or cedict_ts.u8\n"
               "  --words FILE    the jieba dictionary (word count tag): more idioms, and how common each is\n"
               "  --keep-words FILE  writes the words of four characters or more, for imports\n"
               "  --readings FILE @pinyin-pro/data's json/complete.json: idioms it reads otherwise carry its reading\n"
               "  --reading-report  lists those idioms (idiom, own reading, other reading)\n"
               "  --strokes DIR --strokes-out FILE  hanzi-writer-data's folder: the editions' characters' strokes\n"
               "  --password TEXT another key than the program's, for trials\n");
  return 2;
}

bool Parse(const QStringList &args, Options *options) {
  QStringList rest = args;
  // The one flag without a value.
  options->readingReport = rest.removeAll(QStringLiteral("--reading-report")) > 0;
  for (qsizetype i = 1; i + 1 < rest.size(); i += 2) {
    const QString &flag = rest[i];
    const QString &value = rest[i + 1];
    if (flag == QLatin1String("--cedict"))
      options->sources.emplace_back(SourceKind::Cedict, value);
    else if (flag == QLatin1String("--json"))
      options->sources.emplace_back(SourceKind::Json, value);
    else if (flag == QLatin1String("--synthetic"))
      options->synthetic = value;
    else if (flag == QLatin1String("--gb"))
      options->gb = value;
    else if (flag == QLatin1String("--password"))
      options->password = value;
    else if (flag == QLatin1String("--big5"))
      options->big5 = value;
    else if (flag == QLatin1String("--words"))
      options->words = value;
    else if (flag == QLatin1String("--keep-words"))
      options->keepWords = value;
    else if (flag == QLatin1String("--readings"))
      options->readings = value;
    else if (flag == QLatin1String("--strokes"))
      options->strokes = value;
    else if (flag == QLatin1String("--strokes-out"))
      options->strokesOut = value;
    else
      return false;
  }
  const bool oneKind = options->sources.empty() != options->synthetic.isEmpty();
  return rest.size() % 2 == 1 && oneKind && !(options->gb.isEmpty() && options->big5.isEmpty());
}

// Each source's idioms against the other source of readings; the
// differences told, and listed when asked for.
// The version of the npm package whose file this is (its package.json is
// in a folder above it); empty when none says.
QString PackageVersion(const QString &file) {
  for (QDir folder = QFileInfo(file).dir(); !folder.isRoot(); folder.cdUp()) {
    QFile package(folder.filePath(QStringLiteral("package.json")));
    if (package.open(QIODevice::ReadOnly))
      return QJsonDocument::fromJson(package.read(1 << 20)).object().value(QStringLiteral("version")).toString();
  }
  return {};
}

ReadingList ReadReadings(const QString &path) { return ReadingList::Parse(ReadSourceFile(path), path); }

void CheckAllReadings(std::vector<LoadedSource> *sources, const ReadingList &list, const QString &path, bool report) {
  size_t differing = 0;
  int unknown = 0;
  for (LoadedSource &source : *sources)
    for (const ReadingDifference &d : CheckReadings(&source.entries, list, &unknown)) {
      ++differing;
      if (report) std::printf("%s\t%s\t%s\n", qPrintable(d.idiom), qPrintable(d.own), qPrintable(d.other));
    }
  std::printf("%s: %lld readings; %zu idioms read otherwise, %d it does not hold\n", qPrintable(path),
              static_cast<long long>(list.size()), differing, unknown);
}

// The lines of the word list an installation keeps: those of words of four
// characters or more, as the list has them.
void WriteKeptWords(const QByteArray &text, const QString &path) {
  QByteArray kept;
  for (const QByteArray &line : text.split('\n')) {
    const qsizetype blank = line.indexOf(' ');
    if (blank > 0 && QString::fromUtf8(line.left(blank)).size() >= 4) kept += line.trimmed() + '\n';
  }
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(kept) != kept.size())
    throw SourceError(path + QStringLiteral(": cannot be written"));
}

// The stroke file of the characters of the editions just written.
void WriteStrokes(const Options &options) {
  QStringList editions;
  for (const QString &path : {options.gb, options.big5})
    if (!path.isEmpty()) editions << path;
  QByteArray cedict;
  for (const auto &[kind, path] : options.sources)
    if (path.endsWith(QLatin1String(".js")))
      if (QFile file(path); file.open(QIODevice::ReadOnly)) {
        cedict = file.readAll();
        break;
      }
  QElapsedTimer took;
  took.start();
  const QSet<QString> characters = CharactersOfEditions(editions, options.password);
  const StrokeFileFacts facts = WriteStrokeFile(options.strokesOut, characters, options.strokes, cedict);
  std::printf("%s: %d of %lld characters, %d with strokes, %lld bytes, in %.2f s\n", qPrintable(options.strokesOut),
              facts.characters, static_cast<long long>(characters.size()), facts.withStrokes, facts.bytes,
              static_cast<double>(took.elapsed()) / 1000);
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  Options options;
  if (!Parse(app.arguments(), &options)) return Usage();
  try {
    // Read while the sources are: the list is the largest file of all.
    std::future<ReadingList> readings;
    if (!options.readings.isEmpty())
      readings = std::async(std::launch::async, [path = options.readings] { return ReadReadings(path); });
    WordList words;
    if (!options.words.isEmpty()) {
      const QByteArray text = ReadSourceFile(options.words);
      words = WordList::Parse(text);
      std::printf("%s: %lld words of four characters or more\n", qPrintable(options.words),
                  static_cast<long long>(words.size()));
      if (!options.keepWords.isEmpty()) WriteKeptWords(text, options.keepWords);
    }
    std::vector<LoadedSource> sources = LoadSources(options.sources, words.size() > 0 ? &words : nullptr);
    if (readings.valid()) CheckAllReadings(&sources, readings.get(), options.readings, options.readingReport);
    for (const LoadedSource &source : sources) {
      std::printf("%s: %s, %zu idioms (%d with a Chinese explanation, %d with a derivation, %d with an example)\n",
                  qPrintable(source.path), qPrintable(FormatName(source.format)), source.entries.size(),
                  source.withExplanation, source.withDerivation, source.withExample);
      if (source.skipped.Total() > 0)
        std::printf("%s: skipped %s\n", qPrintable(source.path), qPrintable(SkippedInEnglish(source.skipped)));
      if (source.skipped.Doubtful() > 0)
        std::printf("%s: taken, but check %s\n", qPrintable(source.path),
                    qPrintable(DoubtfulInEnglish(source.skipped)));
    }
    // Named among the editions' sources: the about box credits it.
    if (words.size() > 0) {
      LoadedSource list;
      list.facts = {QStringLiteral("jieba"), QString(), QStringLiteral("MIT")};
      sources.push_back(std::move(list));
    }
    // The other readings the editions carry come from it: credited too.
    if (!options.readings.isEmpty()) {
      LoadedSource list;
      list.facts = {QStringLiteral("@pinyin-pro/data"), PackageVersion(options.readings), QStringLiteral("ISC")};
      sources.push_back(std::move(list));
    }
    if (!options.synthetic.isEmpty()) {
      LoadedSource made;
      made.entries = SyntheticIdioms(options.synthetic.toInt());
      made.facts = {QStringLiteral("made-up idioms"), QString(), QString()};
      sources.push_back(std::move(made));
    }
    BuildEditions(sources, {options.gb, options.big5}, options.password, BuildControl{});
    for (const QString &path : {options.gb, options.big5})
      if (!path.isEmpty()) std::printf("%s: %lld idioms\n", qPrintable(path), CountIdioms(path, options.password));
    if (!options.strokes.isEmpty() && !options.strokesOut.isEmpty()) WriteStrokes(options);
  } catch (const SourceError &error) {
    std::fprintf(stderr, "velmora-mkdata: %s\n", error.what());
    return 1;
  } catch (const ConverterUnavailable &error) {
    std::fprintf(stderr, "velmora-mkdata: the simplified-to-traditional conversion is not available (%s)\n",
                 error.what());
    return 1;
  } catch (const std::exception &error) {
    std::fprintf(stderr, "velmora-mkdata: %s\n", error.what());
    return 1;
  }
  return 0;
}
