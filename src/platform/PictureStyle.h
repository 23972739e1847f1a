#pragma once
// The style of the program's windows: the platform's own, except that the
// pictures Qt would read from its PNG files are the program's drawings. To
// read one PNG, Qt loads every image plugin it has (and the libraries they
// need); the search box's clear button alone would do that at every start.
#include <QProxyStyle>

namespace velmora {

class PictureStyle : public QProxyStyle {
  Q_OBJECT
 public:
  using QProxyStyle::QProxyStyle;
  QIcon standardIcon(StandardPixmap which, const QStyleOption *option = nullptr,
                     const QWidget *widget = nullptr) const override;
};

// Sets the application's style to the current one with the program's pictures.
void UsePictureStyle();

}  // namespace velmora
