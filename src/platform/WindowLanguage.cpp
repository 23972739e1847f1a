#include "WindowLanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <cmath>

#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "lang/FontSize.h"
#include "platform/MessageBoxes.h"

namespace velmora {

namespace {

const QStringList kFontedKinds = {"LBL", "OPT", "CHK", "FRA", "LST", "STB", "TRV", "TXT", "GRD"};
const QStringList kHoverFontKinds = {"CMD", "TLB"};
const QStringList kCaptionedKinds = {"LBL", "FRA", "CHK", "MNU", "OPT", "CMD"};

// The window's named controls in the order they were created, frames and
// panels before what they hold.
QList<QObject *> Controls(QWidget *window) {
  QList<QObject *> controls;
  for (QObject *child : window->findChildren<QObject *>())
    if (!child->objectName().isEmpty()) controls << child;
  return controls;
}

void SetControlFont(QWidget *control, const QString &name, int size) {
  QFont font = control->font();
  font.setFamilies({name, ChineseFace(LangName())});
  font.setPointSize(size);
  control->setFont(font);
}

}  // namespace

void SetFormFont(QWidget *window) {
  // The language file stays the current one afterwards, as callers expect.
  SetIniFile(LanguageFilePath());
  const QString name = ReadIni(QStringLiteral("FONT"), QStringLiteral("Font"), 200);
  const auto size = FontSizeFromText(ReadIni(QStringLiteral("FONT"), QStringLiteral("SIZE"), 200));
  if (!size || name.isEmpty()) return;
  UseChineseFallbackFor(LangName());
  for (QObject *object : Controls(window)) {
    auto *control = qobject_cast<QWidget *>(object);
    const QString kind = KindPrefix(object->objectName());
    if (control == nullptr || !(kFontedKinds.contains(kind) || kHoverFontKinds.contains(kind))) continue;
    SetControlFont(control, name, *size);
    if (kHoverFontKinds.contains(kind)) {
      QFont hover = control->font();
      control->setProperty("FontOver", hover);
    }
  }
}

bool SetCaption(QObject *control, const QString &caption) {
  if (control->property("captionAsToolTip").toBool()) {
    if (auto *widget = qobject_cast<QWidget *>(control)) widget->setToolTip(WithoutMnemonic(caption));
    return true;
  }
  // A label shows its caption as it reads; the "&" of a mnemonic only
  // means something on buttons, group boxes and menus.
  if (auto *label = qobject_cast<QLabel *>(control))
    label->setText(WithoutMnemonic(caption));
  else if (auto *button = qobject_cast<QAbstractButton *>(control))
    button->setText(caption);
  else if (auto *frame = qobject_cast<QGroupBox *>(control))
    frame->setTitle(caption);
  else if (auto *menu = qobject_cast<QMenu *>(control))
    menu->setTitle(caption);
  else if (auto *action = qobject_cast<QAction *>(control))
    action->setText(caption);
  else if (auto *widget = qobject_cast<QWidget *>(control))
    widget->setWindowTitle(caption);
  else
    return false;
  return true;
}

void SetLblCaption(QWidget *window, const QString &language) {
  if (language == QLatin1String("default") || language.isEmpty()) return;
  const QString file = LanguageFilePath(language);
  for (QObject *control : Controls(window)) {
    if (!kCaptionedKinds.contains(KindPrefix(control->objectName()))) continue;
    const QString text = ReadIniFrom(file, QStringLiteral("Caption"), CaptionKey(control->objectName()), 100);
    if (text.isEmpty()) continue;
    if (!SetCaption(control, text)) {
      ShowMessageBox({QStringLiteral("Object doesn't support this property or method: ") + control->objectName(),
                      kCaptionFailureTitle, MessageButtons::Ok, MessageIcon::Critical});
      return;
    }
  }
}

void SetToolTips(QWidget *window) {
  const QString language = LanguageFilePath();
  for (QWidget *control : window->findChildren<QWidget *>()) {
    const QString key = control->property("toolTipKey").toString();
    if (key.isEmpty()) continue;
    const QString tip = ReadIniFrom(language, QStringLiteral("Caption"), key, 200);
    if (!tip.isEmpty()) control->setToolTip(WithoutMnemonic(tip));
  }
}

void FitCaptions(QWidget *window) {
  for (QLabel *label : window->findChildren<QLabel *>()) {
    if (label->text().isEmpty() || label->wordWrap() || label->parentWidget() == nullptr) continue;
    const int chrome = label->width() - label->contentsRect().width();
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + chrome;
    // Only what lies inside the frame is seen, and text does not touch it.
    const QRect room = label->parentWidget()->contentsRect().adjusted(2, 0, -6, 0);
    QRect place = label->geometry().intersected(QRect(room.left(), label->y(), room.width(), label->height()));
    if (needed <= place.width()) continue;
    if (label->alignment() & Qt::AlignRight)
      place.setLeft(std::max(room.left(), place.right() + 1 - needed));
    else
      place.setWidth(std::min(needed, room.right() + 1 - place.left()));
    label->setGeometry(place);
    if (place.width() >= needed) continue;
    QFont font = label->font();
    font.setPointSizeF(std::floor(font.pointSizeF() * (place.width() - chrome) / (needed - chrome) * 4) / 4);
    label->setFont(font);
  }
}

void UseChineseFallbackFor(const QString &language) {
  QFont font = QApplication::font();
  const QString first = font.families().value(0, font.family());
  font.setFamilies({first == QLatin1String("Noto Sans CJK SC") || first == QLatin1String("Noto Sans CJK TC")
                        ? QStringLiteral("DejaVu Sans")
                        : first,
                    ChineseFace(language)});
  QApplication::setFont(font);
}

}  // namespace velmora
