// velmora-mkdata: writes the dictionary's data files from an idiom source.
//
//   velmora-mkdata --cedict data/all.js --gb Velmdict_cn.dat --big5 Velmdict_big5.dat
//   velmora-mkdata --json idioms.json --gb Velmdict_cn.dat
//   velmora-mkdata --synthetic 40000 --gb Velmdict_cn.dat   (made-up idioms, for trials)
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <exception>

#include "CedictSource.h"
#include "EditionBuilder.h"
#include "IdiomJsonSource.h"
#include "SyntheticSource.h"
#include "TraditionalConverter.h"
#include "data/Conn.h"

using namespace velmora;
using namespace velmora::mkdata;

namespace {

struct Options {
  QString cedict, json, synthetic, gb, big5;
  QString password = kDatabasePassword;
};

int Usage() {
  std::fprintf(stderr,
               "usage: velmora-mkdata (--cedict ALL_JS | --json IDIOMS_JSON | --synthetic COUNT) [--gb FILE] [--big5 FILE]\n"
               "                      [--password TEXT]   (another key than the program's, for trials)\n");
  return 2;
}

bool Parse(const QStringList &args, Options *options) {
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    const QString &flag = args[i];
    const QString &value = args[i + 1];
    if (flag == QLatin1String("--cedict")) options->cedict = value;
    else if (flag == QLatin1String("--json")) options->json = value;
    else if (flag == QLatin1String("--synthetic")) options->synthetic = value;
    else if (flag == QLatin1String("--gb")) options->gb = value;
    else if (flag == QLatin1String("--password")) options->password = value;
    else if (flag == QLatin1String("--big5")) options->big5 = value;
    else return false;
  }
  const int sources = !options->cedict.isEmpty() + !options->json.isEmpty() + !options->synthetic.isEmpty();
  return args.size() % 2 == 1 && sources == 1 &&
         !(options->gb.isEmpty() && options->big5.isEmpty());
}

QByteArray ReadAll(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
  return file.readAll();
}

void Write(const std::vector<SourceEntry> &entries, Edition edition, const QString &path,
           const QString &origin, const QString &password) {
  std::unique_ptr<TraditionalConverter> converter;
  if (edition == Edition::Big5) converter = std::make_unique<TraditionalConverter>();
  const auto rows = BuildRows(entries, edition, converter.get());
  const QString name = edition == Edition::Gb ? QStringLiteral("GB (simplified)") : QStringLiteral("BIG5 (traditional)");
  WriteEdition(rows, path, password, name + QStringLiteral(" from ") + origin);
  std::printf("%s: %zu idioms\n", qPrintable(path), rows.size());
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  Options options;
  if (!Parse(app.arguments(), &options)) return Usage();
  try {
    std::vector<SourceEntry> entries;
    QString origin;
    if (!options.cedict.isEmpty()) {
      entries = ReadCedictIdioms(ReadAll(options.cedict));
      origin = QStringLiteral("CC-CEDICT");
    } else if (!options.json.isEmpty()) {
      entries = ReadIdiomJson(ReadAll(options.json));
      origin = QStringLiteral("idiom JSON");
    } else {
      entries = SyntheticIdioms(options.synthetic.toInt());
      origin = QStringLiteral("made-up idioms");
    }
    if (!options.gb.isEmpty()) Write(entries, Edition::Gb, options.gb, origin, options.password);
    if (!options.big5.isEmpty()) Write(entries, Edition::Big5, options.big5, origin, options.password);
  } catch (const std::exception &error) {
    std::fprintf(stderr, "velmora-mkdata: %s\n", error.what());
    return 1;
  }
  return 0;
}
