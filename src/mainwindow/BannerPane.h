#pragma once
// The banner: the user panel (name, nickname, logo) and the buttons that
// lead out of the dictionary (about box, help page, mail, web page) or to
// the settings.
#include <QObject>

#include "MainWindowControls.h"

namespace velmora {

class BannerPane : public QObject {
  Q_OBJECT
 public:
  BannerPane(const BannerControls &controls, QObject *parent);

  // Name, nickname and logo as config.dll gives them.
  void ShowUser();
  const QString &Nickname() const { return nickname_; }
  // The nickname follows the name (the design's Form_Resize step).
  void Form_Resize();

 signals:
  // The settings button, the nickname button or the logo was pressed.
  void settingsRequested();

 private:
  void cmdAbout_Click();
  void cmdHelp_Click();
  void cmdEmail_Click();
  void cmdUpdate_Click();

  const BannerControls &c_;
  QString nickname_;
};

}  // namespace velmora
