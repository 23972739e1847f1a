#pragma once
// Chinese text from one script to the other through OpenCC: "s2t.json"
// (simplified to traditional) or "t2s.json" (the reverse).
#include <QString>

namespace velmora::mkdata {

class ScriptConverter {
 public:
  // Throws std::runtime_error when OpenCC cannot open the configuration.
  explicit ScriptConverter(const char *configuration);
  ~ScriptConverter();
  ScriptConverter(const ScriptConverter &) = delete;
  ScriptConverter &operator=(const ScriptConverter &) = delete;
  // The text converted; the text itself when OpenCC fails on it.
  QString Convert(const QString &text) const;

 private:
  void *handle_;
};

}  // namespace velmora::mkdata
