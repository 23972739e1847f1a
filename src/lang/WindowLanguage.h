#pragma once
// Applies the current language's font and captions to a window, by the
// names of its controls: the first three letters tell the kind of control
// ("lbl", "cmd", "txt", ...), the rest in upper case is the caption key.
#include <QString>
#include <optional>

#include "FontSize.h"

class QObject;
class QWidget;

namespace velmora {

inline const QString kCaptionFailureTitle = QStringLiteral("mdlComm:SetLblCaption");

// The caption key of a control name: "lblUserName" -> "USERNAME".
QString CaptionKey(const QString &controlName);
// The upper-case kind prefix: "OptDatBig5" -> "OPT".
QString KindPrefix(const QString &controlName);


// Sets the language file's "FONT" on the window's controls; leaves the
// language file as the current settings file.
void SetFormFont(QWidget *window);
// Sets the captions of the current settings file's "Caption" section, unless
// the language is "default" or empty.
void SetLblCaption(QWidget *window, const QString &language);

// Sets a control's caption; false when the control has none.
bool SetCaption(QObject *control, const QString &caption);

// The Chinese face that suits the language: traditional for "BIG5",
// simplified otherwise.
QString ChineseFace(const QString &language);
// Makes the Chinese face that suits the language the fallback of the
// application's fonts (traditional for "BIG5", simplified otherwise).
void UseChineseFallbackFor(const QString &language);

}  // namespace velmora
