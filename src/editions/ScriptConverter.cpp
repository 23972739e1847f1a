#include "ScriptConverter.h"

#include <opencc/Config.hpp>
#include <opencc/Conversion.hpp>
#include <opencc/ConversionChain.hpp>
#include <opencc/Converter.hpp>
#include <opencc/DartsDict.hpp>
#include <opencc/DictEntry.hpp>
#include <opencc/DictGroup.hpp>
#include <opencc/Lexicon.hpp>
#include <opencc/MaxMatchSegmentation.hpp>
#include <opencc/TextDict.hpp>

#include <list>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::editions {

namespace {

// OpenCC's packaged dictionaries are marisa tries: small on disk, but a
// prefix match in them costs several times one in a double array. A build
// converts megabytes of text, so each dictionary is copied once into a
// double array (about a tenth of a second for s2t.json), matched by the same
// rules: the same words, the same longest match, the same converter.
opencc::DictPtr InDoubleArray(const opencc::DictPtr &dict) {
  if (const auto group = std::dynamic_pointer_cast<opencc::DictGroup>(dict)) {
    std::list<opencc::DictPtr> members;
    for (const opencc::DictPtr &member : group->GetDicts()) members.push_back(InDoubleArray(member));
    return std::make_shared<opencc::DictGroup>(members);
  }
  // A marisa lexicon is in the trie's order; a double array is built from
  // keys in byte order.
  auto sorted = std::make_shared<opencc::Lexicon>();
  for (const auto &entry : *dict->GetLexicon())
    sorted->Add(opencc::DictEntryFactory::New(entry->Key(), entry->Values()));
  sorted->Sort();
  return opencc::DartsDict::NewFromDict(opencc::TextDict(sorted));
}

std::shared_ptr<const opencc::Converter> Faster(const opencc::Converter &loaded, const std::string &name) {
  opencc::SegmentationPtr segmentation = loaded.GetSegmentation();
  if (const auto maxMatch = std::dynamic_pointer_cast<opencc::MaxMatchSegmentation>(segmentation))
    segmentation = std::make_shared<opencc::MaxMatchSegmentation>(InDoubleArray(maxMatch->GetDict()));
  std::list<opencc::ConversionPtr> conversions;
  for (const opencc::ConversionPtr &conversion : loaded.GetConversionChain()->GetConversions())
    conversions.push_back(std::make_shared<opencc::Conversion>(InDoubleArray(conversion->GetDict())));
  return std::make_shared<const opencc::Converter>(name, segmentation,
                                                   std::make_shared<opencc::ConversionChain>(conversions));
}

// One converter per configuration while anything uses it: the two editions'
// builds share it, and it is let go when the last of them ends.
std::shared_ptr<const opencc::Converter> SharedConverter(const std::string &configuration) {
  static std::mutex guard;
  static std::map<std::string, std::weak_ptr<const opencc::Converter>> made;
  const std::lock_guard<std::mutex> lock(guard);
  if (auto converter = made[configuration].lock()) return converter;
  opencc::Config config;
  const opencc::ConverterPtr loaded = config.NewFromFile(configuration);
  auto converter = Faster(*loaded, configuration);
  made[configuration] = converter;
  return converter;
}

}  // namespace

ScriptConverter::ScriptConverter(const char *configuration) {
  try {
    converter_ = SharedConverter(configuration);
  } catch (const std::exception &) {
    throw ConverterUnavailable(std::string("OpenCC cannot open ") + configuration);
  }
}

QStringList ScriptConverter::ConvertAll(const QStringList &texts) const {
  // The texts as the lines of one text: no word in OpenCC's dictionaries
  // holds a line break, so no match crosses one, and each line converts as
  // it would alone. A text of several lines takes as many lines back.
  std::vector<qsizetype> lineCounts;
  lineCounts.reserve(static_cast<size_t>(texts.size()));
  qsizetype allLines = 0;
  for (const QString &text : texts) allLines += lineCounts.emplace_back(text.count(QLatin1Char('\n')) + 1);
  QStringList lines;
  try {
    lines = QString::fromStdString(converter_->Convert(texts.join(QLatin1Char('\n')).toStdString()))
                .split(QLatin1Char('\n'));
  } catch (const std::exception &) {
    // One by one below: a text that fails stays as it is, the others convert.
  }
  QStringList converted;
  if (lines.size() != allLines) {
    for (const QString &text : texts) converted << Convert(text);
    return converted;
  }
  converted.reserve(texts.size());
  qsizetype at = 0;
  for (const qsizetype count : lineCounts) {
    converted << (count == 1 ? lines[at] : lines.mid(at, count).join(QLatin1Char('\n')));
    at += count;
  }
  return converted;
}

QString ScriptConverter::Convert(const QString &text) const {
  if (text.isEmpty()) return text;
  try {
    return QString::fromStdString(converter_->Convert(text.toStdString()));
  } catch (const std::exception &) {
    return text;
  }
}

}  // namespace velmora::editions
