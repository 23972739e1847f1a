#include "PictureStyle.h"

#include <QApplication>

#include "ImageList.h"

namespace velmora {

QIcon PictureStyle::standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const {
  if (which == SP_LineEditClearButton) return ImageByKey(QStringLiteral("clear"));
  return QProxyStyle::standardIcon(which, option, widget);
}

void UsePictureStyle() { QApplication::setStyle(new PictureStyle(QApplication::style()->name())); }

}  // namespace velmora
