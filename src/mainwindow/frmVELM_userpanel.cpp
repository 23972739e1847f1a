// The user panel in the main window's banner: name, nickname and logo.
#include "data/IdiomStore.h"
#include "dialogs/frmSysSetting.h"
#include "frmVELM.h"
#include "platform/QtTranslations.h"
#include "platform/WindowLanguage.h"
#include "config/FileHelpers.h"
#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"

namespace velmora {

void frmVELM::RefreshUserPanel() {
  UseQtTranslationsFor(LangName());
  SetFormFont(this);
  SetLblCaption(this, LangName());
  SetToolTips(this);
  detail_->ApplyLanguage();
  browse_->ReadViewTitles();

  banner_->ShowUser();
  footer_->ShowDataCredit();
  detail_->ApplyTextScale();
}

}  // namespace velmora

namespace velmora {

void frmVELM::OpenSettings() {
  {
    frmSysSetting dialog;
    dialog.exec();
  }
  RefreshUserPanel();
  ArrangeControls();
}

}  // namespace velmora
