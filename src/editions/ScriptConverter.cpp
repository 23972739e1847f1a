#include "ScriptConverter.h"

#include <opencc/opencc.h>

#include <stdexcept>
#include <string>

namespace velmora::mkdata {

ScriptConverter::ScriptConverter(const char *configuration) : handle_(opencc_open(configuration)) {
  if (handle_ == reinterpret_cast<void *>(-1) || handle_ == nullptr)
    throw std::runtime_error(std::string("OpenCC cannot open ") + configuration);
}

ScriptConverter::~ScriptConverter() { opencc_close(static_cast<opencc_t>(handle_)); }

QString ScriptConverter::Convert(const QString &text) const {
  if (text.isEmpty()) return text;
  const QByteArray utf8 = text.toUtf8();
  char *converted =
      opencc_convert_utf8(static_cast<opencc_t>(handle_), utf8.constData(), static_cast<size_t>(utf8.size()));
  if (converted == nullptr) return text;
  const QString result = QString::fromUtf8(converted);
  opencc_convert_utf8_free(converted);
  return result;
}

}  // namespace velmora::mkdata
