// The user panel in the main window's banner: name, nickname and logo.
#include <QImageReader>
#include <QPixmap>

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

namespace {

// The logo is shown small: a large picture is decoded straight to a small
// size, and a picture of absurd dimensions is not decoded at all.
constexpr int kLogoPixels = 160;
constexpr qint64 kLargestLogoPixels = 100'000'000;

QImage LoadLogo(const QString &path) {
  QImageReader reader(path);
  const QSize size = reader.size();
  if (!size.isValid() || static_cast<qint64>(size.width()) * size.height() > kLargestLogoPixels) return {};
  if (size.width() > kLogoPixels || size.height() > kLogoPixels)
    reader.setScaledSize(size.scaled(kLogoPixels, kLogoPixels, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
  return reader.read();
}

}  // namespace

void frmVELM::ShowDataCredit() {
  // The footer's caption names CC-CEDICT; an edition built from other
  // sources names those instead.
  const std::vector<EditionSource> sources = EditionSources();
  const bool cedictOnly = std::all_of(sources.begin(), sources.end(),
                                      [](const EditionSource &source) { return source.name == QLatin1String("CC-CEDICT"); });
  if (sources.empty() || cedictOnly) return;
  QStringList names;
  for (const EditionSource &source : sources) names << source.name;
  c_.lblQuillon->setText(QStringLiteral("Velmora · ") + names.join(QStringLiteral(" + ")));
}

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
  searchViewTitle_ = ReadIni(QStringLiteral("Caption"), QStringLiteral("KOVTSearch"), 20);
  treeViewTitle_ = ReadIni(QStringLiteral("Caption"), QStringLiteral("KOVTTreeList"), 20);
  favouritesViewTitle_ = ReadIni(QStringLiteral("Caption"), QStringLiteral("KOVTFavourites"), 100);
  if (favouritesViewTitle_.isEmpty()) favouritesViewTitle_ = QStringLiteral("Favourites");
  if (viewMode_ == kSearchView) c_.cmdKOVTitle->setText(searchViewTitle_);
  else if (viewMode_ == kIndexView) c_.cmdKOVTitle->setText(treeViewTitle_);
  else if (viewMode_ == kFavouritesView) c_.cmdKOVTitle->setText(favouritesViewTitle_);

  SetIniFile(ConfigFilePath());
  c_.lblUserName->setText(ReadIni(QStringLiteral("Setting"), QStringLiteral("UserName"), 50));
  c_.lblUserName->adjustSize();
  nickname_ = ReadIni(QStringLiteral("Setting"), QStringLiteral("UserCoolName"), 100);
  c_.lblUserCoolName->setText(QStringLiteral(" -- ") + nickname_);
  const QString logo = ReadIni(QStringLiteral("Setting"), QStringLiteral("logo"), 200);
  if (logo.size() >= 5 && FileExists(logo)) {
    const QImage picture = LoadLogo(ResolvePath(logo));
    if (!picture.isNull()) c_.imgLogo->setPixmap(QPixmap::fromImage(picture));
  }
  QFont spellFont = c_.txtSpell->font();
  spellFont.setFamilies({QStringLiteral("Arial"), ChineseFace(LangName())});
  c_.txtSpell->setFont(spellFont);
  ShowDataCredit();
  // The nickname follows the name just set, not the caption it had before.
  Form_Resize();
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
