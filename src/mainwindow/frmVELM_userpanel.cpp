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
  // Empty boxes say so quietly; their text stays empty.
  for (auto [box, key, builtIn] : {std::tuple{c_.txtDerivation, "PHDERIVATION", "No derivation in this dictionary"},
                                   std::tuple{c_.txtExample, "PHEXAMPLE", "No example in this dictionary"}}) {
    const QString text = ReadIni(QStringLiteral("Caption"), QLatin1String(key), 100);
    box->setPlaceholderText(text.isEmpty() ? QLatin1String(builtIn) : text);
  }
  browse_->ReadViewTitles();

  banner_->ShowUser();
  QFont spellFont = c_.txtSpell->font();
  spellFont.setFamilies({QStringLiteral("Arial"), ChineseFace(LangName())});
  c_.txtSpell->setFont(spellFont);
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
