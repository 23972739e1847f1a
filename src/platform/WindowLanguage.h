#pragma once
// Applies the current language's font and captions to a window, by the
// names of its controls: the first three letters tell the kind of control
// ("lbl", "cmd", "txt", ...), the rest in upper case is the caption key.
#include <QString>
#include <optional>

#include "lang/CaptionKeys.h"
#include "lang/FontSize.h"

class QObject;
class QWidget;

namespace velmora {

inline const QString kCaptionFailureTitle = QStringLiteral("mdlComm:SetLblCaption");

// Sets the language file's "FONT" on the window's controls; leaves the
// language file as the current settings file.
void SetFormFont(QWidget *window);
// Sets the captions of the current settings file's "Caption" section, unless
// the language is "default" or empty.
void SetLblCaption(QWidget *window, const QString &language);

// Sets the tool tips of the current settings file's "Caption" section on
// the controls that name their key in the property "toolTipKey" (picture
// buttons, whose names the caption step does not read).
void SetToolTips(QWidget *window);

// A caption wider than its label (a language's words are longer than the
// design's): the label grows into the free room beside it, away from its
// aligned edge and within its frame; what still does not fit takes a
// font just small enough.
void FitCaptions(QWidget *window);

// Sets a control's caption; false when the control has none.
bool SetCaption(QObject *control, const QString &caption);

// Makes the Chinese face that suits the language the fallback of the
// application's fonts (traditional for "BIG5", simplified otherwise).
void UseChineseFallbackFor(const QString &language);

}  // namespace velmora
