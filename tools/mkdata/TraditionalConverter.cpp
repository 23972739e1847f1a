#include "TraditionalConverter.h"

#include <opencc/opencc.h>

#include <stdexcept>

namespace velmora::mkdata {

TraditionalConverter::TraditionalConverter() : handle_(opencc_open("s2t.json")) {
  if (handle_ == reinterpret_cast<void *>(-1) || handle_ == nullptr)
    throw std::runtime_error("OpenCC cannot open s2t.json");
}

TraditionalConverter::~TraditionalConverter() { opencc_close(static_cast<opencc_t>(handle_)); }

QString TraditionalConverter::Convert(const QString &simplified) const {
  if (simplified.isEmpty()) return simplified;
  const QByteArray utf8 = simplified.toUtf8();
  char *converted = opencc_convert_utf8(static_cast<opencc_t>(handle_), utf8.constData(),
                                        static_cast<size_t>(utf8.size()));
  if (converted == nullptr) return simplified;
  const QString result = QString::fromUtf8(converted);
  opencc_convert_utf8_free(converted);
  return result;
}

}  // namespace velmora::mkdata
