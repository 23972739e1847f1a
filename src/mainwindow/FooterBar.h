#pragma once
// The footer: the credit to the edition's sources and "Up:", the idiom on
// display before the current one, which leads back to it.
#include <QObject>

#include "MainWindowControls.h"
#include "reading/Reader.h"

namespace velmora {

class FooterBar : public QObject {
  Q_OBJECT
 public:
  FooterBar(const FooterControls &controls, const Reader &reader, QObject *parent);
  // The caption names CC-CEDICT; an edition built from other sources names
  // those instead.
  void ShowDataCredit();

 signals:
  // "Up:" was double-clicked (or activated from the keyboard).
  void previousChosen(const QString &idiom);

 private:
  void lblUp_DblClick();

  const FooterControls &c_;
};

}  // namespace velmora
