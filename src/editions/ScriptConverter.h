#pragma once
// Chinese text from one script to the other through OpenCC: "s2t.json"
// (simplified to traditional) or "t2s.json" (the reverse).
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

namespace opencc {
class Converter;
}

namespace velmora::editions {

// OpenCC or its dictionaries are missing: no edition can be built.
class ConverterUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ScriptConverter {
 public:
  // Throws ConverterUnavailable when OpenCC cannot open the configuration.
  explicit ScriptConverter(const char *configuration);
  // The text converted; the text itself when OpenCC fails on it. Safe to
  // call from several threads at once.
  QString Convert(const QString &text) const;
  // Each text converted, as Convert would, in far fewer calls into OpenCC:
  // its cost for each call is more than the conversion of an idiom.
  QStringList ConvertAll(const QStringList &texts) const;

 private:
  std::shared_ptr<const opencc::Converter> converter_;
};

}  // namespace velmora::editions
