// Fuzz target: looking things up in a language file. The first line of the
// input is a control name, the rest the language file; captions, fonts and
// messages are read as the windows read them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "config/IniDocument.h"
#include "lang/CaptionKeys.h"
#include "lang/FontSize.h"

using velmora::IniDocument;

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const qsizetype newline = bytes.indexOf('\n');
  const QString control = QString::fromUtf8(newline < 0 ? bytes : bytes.left(newline));
  const IniDocument file = IniDocument::FromBytes(newline < 0 ? QByteArray() : bytes.mid(newline + 1));
  const QString caption = file.Value(QStringLiteral("Caption"), velmora::CaptionKey(control), 99);
  Require(file.Encode(caption).size() <= 99);
  const QString font = file.Value(QStringLiteral("FONT"), QStringLiteral("Font"), 199);
  const auto points = velmora::FontSizeFromText(file.Value(QStringLiteral("FONT"), QStringLiteral("SIZE"), 199));
  Require(!points || (*points >= 1 && *points <= 1638));
  (void)font;
  for (const QString &number : {QStringLiteral("800001001"), QStringLiteral("900001011"), QStringLiteral("Err")}) {
    const QString message = file.Value(QStringLiteral("Message"), number, 399);
    Require(file.Encode(message).size() <= 399);
  }
  for (const QString &title : {QStringLiteral("KOVTSearch"), QStringLiteral("KOVTTreeList")})
    Require(file.Encode(file.Value(QStringLiteral("Caption"), title, 19)).size() <= 19);
  return 0;
}
