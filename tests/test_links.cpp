// The about box and the buttons that hand help, mail and web to the desktop.
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "MainWindowFixture.h"
#include "TestHooks.h"
#include "config/InstallLayout.h"
#include "config/RwIni.h"
#include "data/UserStore.h"
#include "dialogs/frmAbout.h"

using namespace velmora;
using test::Click;
using test::MainWindow;
using test::RecordedDesktop;

TEST_F(MainWindow, LinksGoToTheDesktop) {
  RecordedDesktop desktop;
  const std::vector<QUrl> &opened = desktop.opened();
  Click(c().cmdHelp);
  EXPECT_TRUE(opened.empty()) << "no help page, nothing handed on";
  install->Write("help/index.html", "<html></html>");
  Click(c().cmdHelp);
  Click(c().cmdEmail);
  Click(c().cmdUpdate);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(install->file("help/index.html")));
  EXPECT_EQ(opened[1].toString(), "mailto:velmora@example.org");
  EXPECT_EQ(opened[2].scheme(), "https");
  LangName() = "BIG5";
  Click(c().cmdHelp);
  LangName() = "default";
  ASSERT_EQ(opened.size(), 4u);
  EXPECT_EQ(opened[3].fragment(), "zh-hant") << "the traditional reader's part of the page";
}

TEST_F(MainWindow, AboutBoxReadsItsMemoAndCaptionsAtEachOpening) {
  {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.findChild<QPlainTextEdit *>("txtAboutMemo")->toPlainText(), "About text");
    EXPECT_EQ(about.findChild<QLabel *>("lblSysName")->text(), "Velmora 1.0.060227 Beta");
    EXPECT_EQ(about.findChild<QPushButton *>("cmdOK")->text(), "&OK");
    EXPECT_TRUE(about.findChild<QLabel *>("lblEmailAddress")->text().startsWith("Email:"));
  }
  install->WriteLanguage("EN", "[FONT]\nFont=Arial\nSIZE=9\n[Caption]\nOK=Close\nSYSNAME=Velmora\n");
  LangName() = "EN";
  frmAbout again;
  EXPECT_EQ(again.findChild<QPushButton *>("cmdOK")->text(), "Close");
  EXPECT_EQ(again.findChild<QLabel *>("lblSysName")->text(), "Velmora");
  EXPECT_EQ(again.findChild<QPlainTextEdit *>("txtAboutMemo")->toPlainText(), "") << "no AboutMemo key";
  RecordedDesktop desktop;
  const std::vector<QUrl> &opened = desktop.opened();
  Click(again.findChild<ClickableLabel *>("lblHttp"));
  Click(again.findChild<ClickableLabel *>("lblEmailAddress"));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1].scheme(), "mailto");
}

TEST_F(MainWindow, AKeyHandedOverAtTheStartShowsItsIdiomWithTheMatchListClosed) {
  window->Lookup().Handle({InstanceRequest::Kind::Search, "ymdx", {}});  // before the matcher is made
  ShowAfterTick();
  EXPECT_EQ(c().txtIdiom->text(), "一马当先");
  EXPECT_FALSE(window->findChild<QWidget *>("MatchPopup")->isVisible()) << "nothing laid over the idiom";
}

TEST_F(MainWindow, TheLookupPopupSettingHoldsAfterTheAboutBox) {
  install->Write("config.dll",
                 "[language]\nlanguage=default\nDataLanguage=GB\n[system]\nOpenSystem=1\n"
                 "[lookup]\nPopup=0\n");
  ShowAfterTick();
  { frmAbout about; }  // reads the language file last
  window->hide();
  QGuiApplication::clipboard()->setText("他这是刻舟求剑吧");
  window->Lookup().Handle({InstanceRequest::Kind::Selection, {}, {}});
  ASSERT_TRUE(test::WaitFor([&] { return c().txtSearchKey->text() == "刻舟求剑"; }));
  EXPECT_TRUE(window->isVisible()) << "Popup=0: looked up in the window";
  for (const QWidget *popup : window->findChildren<QWidget *>("frmLookup")) EXPECT_FALSE(popup->isVisible());
}

TEST_F(MainWindow, TextReadElsewhereIsLookedUpWhereTheUserIs) {
  ShowAfterTick();
  window->activateWindow();
  ASSERT_TRUE(test::WaitFor([&] { return window->isActiveWindow(); }));
  // In the window the user is in: shown there.
  window->Lookup().Handle({InstanceRequest::Kind::Lookup, "他这是刻舟求剑吧", {}});
  ASSERT_TRUE(test::WaitFor([&] { return c().txtSearchKey->text() == "刻舟求剑"; }));

  // In another program (shown, not active, as on Wayland): the popup, with
  // ★ and "Study this" doing what they say.
  QWidget elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(test::WaitFor([&] { return !window->isActiveWindow(); }));
  window->Lookup().Handle({InstanceRequest::Kind::Lookup, "一马当先的人", {}});
  auto *popup = window->findChild<QWidget *>("frmLookup");
  ASSERT_TRUE(test::WaitFor([&] { return popup && popup->isVisible(); }));
  EXPECT_EQ(popup->findChild<QLabel *>("lblLookupIdiom")->text(), "一马当先");
  EXPECT_EQ(c().txtSearchKey->text(), "刻舟求剑") << "the window is left as it was";
  auto *star = popup->findChild<QPushButton *>("cmdLookupFavourite");
  auto *study = popup->findChild<QPushButton *>("cmdLookupStudy");
  ASSERT_TRUE(star && study);
  EXPECT_FALSE(star->isChecked());
  star->toggle();  // a screen reader's Toggle: no click
  // The state is read back from the store, not left as the toggle set it.
  EXPECT_TRUE(star->isChecked());
  EXPECT_EQ(star->text(), "★");
  EXPECT_TRUE(UserStore(UserStorePath(), "velmdict_cn.dat").IsFavourite("一马当先")) << "kept";
  ASSERT_TRUE(study->isEnabled());
  study->click();
  EXPECT_FALSE(study->isEnabled()) << "in study now";
  popup->findChild<QPushButton *>("cmdLookupCopy")->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "一马当先");
  // Tab goes through ★, Study this, Copy, Speak and Open, as they stand.
  QStringList order;
  for (QWidget *at = star; order.size() < 5; at = at->nextInFocusChain())
    if (qobject_cast<QPushButton *>(at) && at->parentWidget() == popup) order << at->objectName();
  EXPECT_EQ(order,
            (QStringList{"cmdLookupFavourite", "cmdLookupStudy", "cmdLookupCopy", "cmdLookupSpeak", "cmdLookupOpen"}));

  // Nothing read: said so, never nothing.
  window->Lookup().Handle({InstanceRequest::Kind::Lookup, "  \n", {}});
  ASSERT_TRUE(test::WaitFor([&] { return popup->isVisible(); }));
  auto *message = popup->findChild<QLabel *>("lblLookupMessage");
  EXPECT_TRUE(message->isVisible());
  EXPECT_TRUE(message->text().contains("Ctrl+C"));
  EXPECT_FALSE(popup->findChild<QLabel *>("lblLookupIdiom")->isVisible());
  // Told again 3 s later (a second try at the selection): still gone 6 s after the first.
  QElapsedTimer shown;
  shown.start();
  QTimer::singleShot(3000, window.get(), [&] { window->Lookup().Handle({InstanceRequest::Kind::Lookup, " ", {}}); });
  ASSERT_TRUE(test::WaitFor([&] { return !popup->isVisible(); }, 15000));
  EXPECT_LT(shown.elapsed(), 7500);
}

TEST_F(MainWindow, TheLookupMenuSwitchesAreRememberedAndWork) {
  ShowAfterTick();
  QMenu *menu = c().cmdLookup->menu();
  ASSERT_NE(menu, nullptr);
  emit menu->aboutToShow();
  auto *watch = menu->findChild<QAction *>("actWatchClipboard");
  auto *popup = menu->findChild<QAction *>("actLookupPopup");
  ASSERT_TRUE(watch && popup);
  EXPECT_FALSE(watch->isChecked()) << "off until the user asks";
  EXPECT_TRUE(popup->isChecked());
  watch->trigger();
  EXPECT_EQ(ReadIniFrom(ConfigFileForWriting(), "lookup", "WatchClipboard", 10), "1");

  // Copied text with an idiom: the popup; its own Copy does not bring it back.
  QGuiApplication::clipboard()->setText("他这是刻舟求剑吧");
  auto *shown = window->findChild<QWidget *>("frmLookup");
  ASSERT_TRUE(test::WaitFor([&] { return (shown = window->findChild<QWidget *>("frmLookup")) && shown->isVisible(); }));
  EXPECT_EQ(shown->findChild<QLabel *>("lblLookupIdiom")->text(), "刻舟求剑");
  shown->close();
  shown->findChild<QPushButton *>("cmdLookupCopy")->click();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_FALSE(shown->isVisible());

  emit menu->aboutToShow();
  menu->findChild<QAction *>("actLookupPopup")->trigger();
  EXPECT_EQ(ReadIniFrom(ConfigFileForWriting(), "lookup", "Popup", 10), "0");
  emit menu->aboutToShow();
  menu->findChild<QAction *>("actWatchClipboard")->trigger();
  EXPECT_EQ(ReadIniFrom(ConfigFileForWriting(), "lookup", "WatchClipboard", 10), "0");
  QGuiApplication::clipboard()->setText("一马当先");
  QCoreApplication::processEvents();
  EXPECT_FALSE(shown->isVisible()) << "not watched any more";

  // A configuration that cannot be written: said once, the switch still works.
  const QString config = ConfigFileForWriting();
  QFile::setPermissions(config, QFile::ReadOwner);
  test::RecordedMessages messages;
  for (int i = 0; i < 2; ++i) {
    emit menu->aboutToShow();
    menu->findChild<QAction *>("actLookupPopup")->trigger();
  }
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].text.contains("cannot be written"));
  QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(MainWindow, TheDesktopsSearchFindsMeaningsAndDescribesEachResult) {
  ShowAfterTick();
  const SearchAnswers answers = window->Lookup().Answers();
  EXPECT_EQ(answers.find("give up halfway"), QStringList{"半途而废"}) << "a meaning, as the search box finds it";
  EXPECT_EQ(answers.find("ymdx").value(0), "一马当先");
  EXPECT_TRUE(answers.find("   ").isEmpty());
  const QVariantMap meta = answers.describe("半途而废");
  EXPECT_EQ(meta.value("name").toString(), "半途而废");
  EXPECT_EQ(meta.value("description").toString(), "bàn tú ér fèi — to give up halfway");
}
