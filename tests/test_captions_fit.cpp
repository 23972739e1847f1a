// Every caption of every window fits its label in the four shipped
// languages at the design size, with the fonts the languages choose.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>

#include "MainWindowFixture.h"
#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmSysSetting.h"
#include "platform/ClickableLabel.h"

using namespace velmora;

namespace {

// Labels whose text is the user's or the data's, not a caption: they are
// placed by their own rules or elide what does not fit.
bool IsCaption(const QLabel *label) {
  static const QStringList userText = {"lblUserName", "lblUserCoolName"};
  const auto *clickable = qobject_cast<const ClickableLabel *>(label);
  return !label->text().isEmpty() && !label->wordWrap() && label->isVisibleTo(label->window()) &&
         !(clickable && clickable->IsElidedNow()) &&
         !(label->window()->objectName() == "frmVELM" && userText.contains(label->objectName()));
}

QStringList Clipped(QWidget *window) {
  QStringList clipped;
  for (const QLabel *label : window->findChildren<QLabel *>()) {
    if (!IsCaption(label)) continue;
    const int needed = label->fontMetrics().horizontalAdvance(label->text());
    const QRect shown = label->contentsRect().intersected(label->parentWidget()->rect().translated(-label->pos()));
    if (needed > shown.width())
      clipped << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                     .arg(label->objectName(), label->text())
                     .arg(needed)
                     .arg(shown.width());
  }
  return clipped;
}

class CaptionsFit : public test::MainWindow, public ::testing::WithParamInterface<const char *> {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    const QString shipped = QStringLiteral(VELMORA_INSTALL_SOURCE) + "/Lang/";
    for (const QString &name : QDir(shipped).entryList({"*.lng"})) {
      QFile::remove(install->file("Lang/" + name));
      QFile::copy(shipped + name, install->file("Lang/" + name));
    }
    LangName() = GetParam();
    install->WriteConfig(GetParam(), "GB");
  }
};

TEST_P(CaptionsFit, NoCaptionIsWiderThanItsLabel) {
  window->RefreshUserPanel();
  ShowAfterTick();
  EXPECT_EQ(Clipped(window.get()), QStringList());
  frmSysSetting settings;
  EXPECT_EQ(Clipped(&settings), QStringList());
  frmAbout about;
  EXPECT_EQ(Clipped(&about), QStringList());
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, CaptionsFit, ::testing::Values("default", "GB", "BIG5", "EN"));

}  // namespace
