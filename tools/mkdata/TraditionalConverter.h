#pragma once
// Simplified to traditional Chinese through OpenCC's "s2t.json".
#include <QString>

namespace velmora::mkdata {

class TraditionalConverter {
 public:
  TraditionalConverter();  // throws std::runtime_error when OpenCC cannot open
  ~TraditionalConverter();
  TraditionalConverter(const TraditionalConverter &) = delete;
  TraditionalConverter &operator=(const TraditionalConverter &) = delete;

  QString Convert(const QString &simplified) const;

 private:
  void *handle_;
};

}  // namespace velmora::mkdata
