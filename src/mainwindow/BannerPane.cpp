#include "BannerPane.h"

#include <QImageReader>
#include <QPixmap>
#include <QUrl>

#include "config/FileHelpers.h"
#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "dialogs/frmAbout.h"
#include "layout/ControlArrangement.h"
#include "platform/Desktop.h"
#include "platform/Twips.h"

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

BannerPane::BannerPane(const BannerControls &controls, QObject *parent) : QObject(parent), c_(controls) {
  connect(c_.cmdAbout, &QAbstractButton::clicked, this, &BannerPane::cmdAbout_Click);
  connect(c_.cmdHelp, &QAbstractButton::clicked, this, &BannerPane::cmdHelp_Click);
  connect(c_.cmdEmail, &QAbstractButton::clicked, this, &BannerPane::cmdEmail_Click);
  connect(c_.cmdUpdate, &QAbstractButton::clicked, this, &BannerPane::cmdUpdate_Click);
  connect(c_.cmdSetting, &QAbstractButton::clicked, this, &BannerPane::settingsRequested);
  connect(c_.cmdCoolNameSet, &QAbstractButton::clicked, this, &BannerPane::settingsRequested);
  connect(c_.imgLogo, &ClickableLabel::clicked, this, &BannerPane::settingsRequested);
  connect(c_.imgLogo, &ClickableLabel::activated, this, &BannerPane::settingsRequested);
}

void BannerPane::ShowUser() {
  const QString config = ConfigFilePath();
  const QString name = ReadIniFrom(config, QStringLiteral("Setting"), QStringLiteral("UserName"), 50);
  c_.lblUserName->setText(name);
  // No name has no width; measuring its bold font would only load the
  // bold CJK face before the window shows.
  if (name.isEmpty())
    c_.lblUserName->resize(0, c_.lblUserName->height());
  else
    c_.lblUserName->adjustSize();
  nickname_ = ReadIniFrom(config, QStringLiteral("Setting"), QStringLiteral("UserCoolName"), 100);
  c_.lblUserCoolName->setText(QStringLiteral(" -- ") + nickname_);
  const QString logo = ReadIniFrom(config, QStringLiteral("Setting"), QStringLiteral("logo"), 200);
  if (logo.size() >= 5 && FileExists(logo)) {
    const QImage picture = LoadLogo(ResolvePath(logo));
    if (!picture.isNull()) c_.imgLogo->setPixmap(QPixmap::fromImage(picture));
  }
  // The nickname follows the name just set, not the caption it had before.
  Form_Resize();
}

void BannerPane::Form_Resize() {
  const NicknamePlacement place =
      PlaceNickname(Twips(c_.lblUserName->x()), Twips(c_.lblUserName->width()), Twips(c_.cmdCoolNameSet->x()));
  c_.lblUserCoolName->move(Px(place.left), c_.lblUserCoolName->y());
  if (place.width) c_.lblUserCoolName->resize(Px(*place.width), c_.lblUserCoolName->height());
}

void BannerPane::cmdAbout_Click() {
  frmAbout about;
  about.exec();
}

void BannerPane::cmdHelp_Click() {
  // A missing help page is not handed on: the desktop would only complain.
  const QString page = HelpPagePath();
  if (!FileExists(page)) return;
  QUrl url = QUrl::fromLocalFile(ResolvePath(page));
  // The page's part in the interface language, where it has one.
  if (LangName() == QLatin1String("GB"))
    url.setFragment(QStringLiteral("zh"));
  else if (LangName() == QLatin1String("BIG5"))
    url.setFragment(QStringLiteral("zh-hant"));
  OpenWithDesktop(url);
}

void BannerPane::cmdEmail_Click() { OpenMakerMail(); }

void BannerPane::cmdUpdate_Click() { OpenMakerWebPage(); }

}  // namespace velmora
