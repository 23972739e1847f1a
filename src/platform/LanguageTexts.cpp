#include "platform/LanguageTexts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

#include "lang/Captions.h"

namespace velmora {

namespace {

const char *PropertyOf(TextRole role) {
  switch (role) {
    case TextRole::Text: return "languageText";
    case TextRole::Placeholder: return "languagePlaceholder";
    case TextRole::Title: return "languageTitle";
    case TextRole::AccessibleName: return "languageAccessibleName";
    case TextRole::AccessibleDescription: return "languageAccessibleDescription";
    case TextRole::ToolTip: return "languageToolTip";
  }
  return "";
}

constexpr TextRole kRoles[] = {TextRole::Text,           TextRole::Placeholder,           TextRole::Title,
                               TextRole::AccessibleName, TextRole::AccessibleDescription, TextRole::ToolTip};

void Apply(QWidget *control, TextRole role, const QString &text) {
  switch (role) {
    case TextRole::Text:
      if (auto *button = qobject_cast<QAbstractButton *>(control))
        button->setText(text);
      else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
      break;
    case TextRole::Placeholder:
      if (auto *line = qobject_cast<QLineEdit *>(control))
        line->setPlaceholderText(text);
      else if (auto *box = qobject_cast<QPlainTextEdit *>(control))
        box->setPlaceholderText(text);
      break;
    case TextRole::Title: control->setWindowTitle(text); break;
    case TextRole::AccessibleName: control->setAccessibleName(text); break;
    case TextRole::AccessibleDescription: control->setAccessibleDescription(text); break;
    case TextRole::ToolTip: control->setToolTip(text); break;
  }
}

void Reword(QWidget *control) {
  for (const TextRole role : kRoles) {
    const QStringList kept = control->property(PropertyOf(role)).toStringList();
    if (kept.size() == 2) Apply(control, role, CaptionOr(kept[0].toUtf8().constData(), kept[1].toUtf8().constData()));
  }
}

}  // namespace

void SetLanguageText(QWidget *control, TextRole role, const char *key, const char *english) {
  control->setProperty(PropertyOf(role), QStringList{QLatin1String(key), QString::fromUtf8(english)});
  Apply(control, role, CaptionOr(key, english));
}

void Retranslate(QWidget *root) {
  Reword(root);
  for (QWidget *child : root->findChildren<QWidget *>()) Reword(child);
}

}  // namespace velmora
