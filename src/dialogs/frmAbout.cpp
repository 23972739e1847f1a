#include "frmAbout.h"

#include <QFileInfo>

#include "lang/Captions.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include "MakerAddresses.h"
#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "data/IdiomStore.h"
#include "lang/Messages.h"
#include "platform/BoldFromRegular.h"
#include "platform/ClickableLabel.h"
#include "platform/Desktop.h"
#include "platform/ImageList.h"
#include "platform/Twips.h"
#include "platform/WindowLanguage.h"

namespace velmora {

namespace {

ClickableLabel *LinkLabel(QWidget *parent, const char *name, const QString &text, double top) {
  auto *label = MakeAt<ClickableLabel>(parent, name, 1260, top, 4020, 300);
  label->setText(text);
  label->setFont(QFont(QStringLiteral("Arial"), 9));
  label->setStyleSheet(QStringLiteral("color: blue;"));
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

}  // namespace

void OpenMakerMail() { OpenWithDesktop(QUrl(QStringLiteral("mailto:") + kMakerEmail)); }

void OpenMakerWebPage() { OpenWithDesktop(QUrl(kMakerWebPage)); }

frmAbout::frmAbout(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About"));
  setFixedSize(Px(5400), Px(3660));
  Image1_ = MakeAt<QLabel>(this, "Image1", 120, 120, 960, 960);
  Image1_->setPixmap(ImageByKey(QStringLiteral("logo")).pixmap(QSize(64, 64)));
  Image1_->setScaledContents(true);
  lblSysName_ = MakeAt<QLabel>(this, "lblSysName", 1260, 120, 4020, 330);
  lblSysName_->setText(QStringLiteral("Velmora 1.0.060227 Beta"));
  lblSysName_->setFont(BoldFromRegular(QFont(QStringLiteral("Arial"), 11)));
  lblCoryright_ = MakeAt<QLabel>(this, "lblCoryright", 1260, 480, 4020, 300);
  lblCoryright_->setText(QStringLiteral("Copyright © 2026 The Velmora developers"));
  lblCoryright_->setFont(QFont(QStringLiteral("Arial"), 9));
  lblEmailAddress_ = LinkLabel(this, "lblEmailAddress", QStringLiteral("Email:") + kMakerEmail, 800);
  lblHttp_ = LinkLabel(this, "lblHttp", kMakerWebPage, 1110);
  txtAboutMemo_ = MakeAt<QPlainTextEdit>(this, "txtAboutMemo", 120, 1560, 5160, 1440);
  txtAboutMemo_->setReadOnly(true);
  QFont song;
  song.setFamilies({QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
  song.setPointSize(9);
  txtAboutMemo_->setFont(song);
  txtAboutMemo_->setAccessibleName(QStringLiteral("About"));
  // The data's sources and licences, beside the button.
  lblDataSources_ = MakeAt<QLabel>(this, "lblDataSources", 120, 3060, 3840, 540);
  lblDataSources_->setWordWrap(true);
  lblDataSources_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  cmdOK_ = MakeAt<QPushButton>(this, "cmdOK", 4080, 3120, 1200, 420);
  cmdOK_->setText(QStringLiteral("&OK"));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
  connect(lblEmailAddress_, &ClickableLabel::clicked, this, &OpenMakerMail);
  connect(lblHttp_, &ClickableLabel::clicked, this, &OpenMakerWebPage);
  Load();
}

void frmAbout::Load() {
  SetFormFont(this);
  SetLblCaption(this, LangName());
  FitCaptions(this);
  txtAboutMemo_->setPlainText(
      ReadIniFrom(LanguageFilePath(), QStringLiteral("Caption"), QStringLiteral("AboutMemo"), 500));
  std::vector<EditionSource> editionSources = EditionSources();
  // The character card's strokes travel beside the editions, not in them.
  if (QFileInfo::exists(InstallPath() + QStringLiteral("Data/strokes.dat")))
    editionSources.push_back({QStringLiteral("hanzi-writer-data"), QString(), QStringLiteral("Arphic PL")});
  const QString sources = EditionSourcesLine(editionSources, false);
  lblDataSources_->setToolTip(EditionSourcesLine(editionSources));
  const QString prefix = CaptionOr("DATAFROM", "Data:");
  lblDataSources_->setText(sources.isEmpty() ? QString() : prefix + QLatin1Char(' ') + sources);
}

}  // namespace velmora
