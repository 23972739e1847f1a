#pragma once
// How a control's name leads to its entry in a language file: the first
// three letters tell the kind of control ("lbl", "cmd", "txt", ...), the
// rest in upper case is the caption key.
#include <QString>

namespace velmora {

// The caption key of a control name: "lblUserName" -> "USERNAME".
QString CaptionKey(const QString &controlName);
// The upper-case kind prefix: "OptDatBig5" -> "OPT".
QString KindPrefix(const QString &controlName);
// A caption as plain text: "&" marks the next letter as a mnemonic and
// goes, "&&" stands for "&" itself.
QString WithoutMnemonic(const QString &caption);
// The Chinese face that suits the language: traditional for "BIG5",
// simplified otherwise.
QString ChineseFace(const QString &language);

}  // namespace velmora
