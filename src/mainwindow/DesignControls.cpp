#include "mainwindow/DesignControls.h"

#include <QPointer>

#include "platform/AfterFirstPaint.h"
#include "platform/BoldFromRegular.h"
#include "platform/GradientLabel.h"
#include "platform/ImageList.h"
#include "platform/LanguageTexts.h"

namespace velmora {

QWidget *Pane(QWidget *parent, const char *name, double left, double top, double width, double height) {
  return MakeAt<QWidget>(parent, name, left, top, width, height);
}

// A background gradient across the image's rectangle, whatever its size.
QLabel *Background(QWidget *parent, const char *name, double left, double top, double width, double height,
                   const QColor &from, const QColor &to, Qt::Orientation direction) {
  auto *image = MakeAt<GradientLabel>(parent, name, left, top, width, height);
  image->SetGradient(from, to, direction);
  return image;
}

QToolButton *PictureButton(QWidget *parent, const char *name, const QString &image, const char *nameKey,
                           const char *accessibleName, double left, double top, double width, double height) {
  QToolButton *button = MakeAt<QToolButton>(parent, name, left, top, width, height);
  button->setIcon(ImageByKey(image));
  button->setIconSize(QSize(Px(width) - 6, Px(height) - 6).boundedTo(QSize(24, 24)));
  button->setAutoRaise(true);
  SetLanguageName(button, nameKey, accessibleName);
  button->setToolTip(button->accessibleName());
  // A picture button has no room for a caption: the language's caption
  // becomes its tool tip.
  button->setProperty("captionAsToolTip", true);
  return button;
}

QToolButton *BannerButton(QWidget *parent, const char *name, const QString &image, const QString &caption,
                          double left) {
  QToolButton *button = MakeAt<QToolButton>(parent, name, left, 0, 855, 855);
  button->setIcon(ImageByKey(image));
  button->setIconSize(QSize(26, 26));
  button->setText(caption);
  button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  return button;
}

QPlainTextEdit *TextBox(QWidget *parent, const char *name, const QString &text, const QString &accessibleName,
                        double left, double top, double width, double height) {
  auto *box = MakeAt<QPlainTextEdit>(parent, name, left, top, width, height);
  box->setPlainText(text);
  box->setReadOnly(true);
  box->setAccessibleName(accessibleName);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Narrow margins: the boxes are laid out to hold whole lines.
  box->document()->setDocumentMargin(2);
  return box;
}

QLineEdit *LineBox(QWidget *parent, const char *name, const QString &text, const QString &accessibleName, double left,
                   double top, double width, double height) {
  auto *box = MakeAt<QLineEdit>(parent, name, left, top, width, height);
  box->setText(text);
  box->setReadOnly(true);
  box->setAccessibleName(accessibleName);
  // One-line boxes are designed tight: no padding, so no clipped accents.
  box->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px 2px; }"));
  return box;
}

// Bold text is drawn from the regular face (BoldFromRegular), but is still a
// font of its own to load and measure: the view's title turns bold just
// after the first frame, and the idiom box (empty in that frame) with it.
void BoldAfterFirstPaint(QWidget *widget) {
  AfterFirstPaint(widget->window(), [widget = QPointer<QWidget>(widget)] {
    if (!widget) return;
    widget->setFont(BoldFromRegular(widget->font()));
  });
}

}  // namespace velmora
