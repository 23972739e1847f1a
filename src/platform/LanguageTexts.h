#pragma once
// Texts of controls that the language file gives under keys of their own:
// each control keeps its key and English text, so that a change of the
// interface language words it again (Retranslate) as the Part's captions
// are. Dynamic texts (counts, prompts) are worded with CaptionOr when shown.
#include <QString>

class QWidget;

namespace velmora {

enum class TextRole { Text, Placeholder, Title, AccessibleName, AccessibleDescription, ToolTip };

// Sets the control's text in that role from the language file's key, or the
// English text when the file has none, and keeps both for Retranslate.
void SetLanguageText(QWidget *control, TextRole role, const char *key, const char *english);
// The usual pair: the caption, and the accessible name when it differs.
inline void SetLanguageCaption(QWidget *control, const char *key, const char *english) {
  SetLanguageText(control, TextRole::Text, key, english);
}
inline void SetLanguageName(QWidget *control, const char *key, const char *english) {
  SetLanguageText(control, TextRole::AccessibleName, key, english);
}
// Words again every keyed text of the window and of its children.
void Retranslate(QWidget *root);

}  // namespace velmora
