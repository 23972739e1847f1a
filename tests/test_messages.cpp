#include <gtest/gtest.h>

#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "lang/Messages.h"

using namespace velmora;

class Messages : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallPath() = install.path();
    LangName() = "default";
  }
  test::TestInstall install;
};

TEST_F(Messages, NumberFirstThenErrThenEmpty) {
  install.WriteLanguage("default", "[Message]\n800001001=own text\nErr=fallback\n");
  install.WriteLanguage("EN", "[Message]\nErr=English fallback\n");
  install.WriteLanguage("GB", "[FONT]\nFont=Arial\n");
  EXPECT_EQ(GetMessageText("800001001"), "own text");
  EXPECT_EQ(GetMessageText("900001011"), "fallback");
  LangName() = "EN";
  EXPECT_EQ(GetMessageText("800001001"), "English fallback");
  LangName() = "GB";
  EXPECT_EQ(GetMessageText("800001001"), "");
  LangName() = "XX";
  EXPECT_EQ(GetMessageText("800001001"), "") << "a missing language file";
}

TEST_F(Messages, LookupLeavesTheLanguageFileCurrent) {
  install.WriteLanguage("default", "[Message]\nErr=x\n[Setting]\nUserName=from language file\n");
  install.Write("config.dll", "[Setting]\nUserName=from config\n");
  SetIniFile(install.file("config.dll"));
  GetMessageText("800001001");
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), "from language file");
}

TEST_F(Messages, LongMessagesAreCutTo399Bytes) {
  install.WriteLanguage("default", "[Message]\n800001001=" + QByteArray(500, 'm') + "\n");
  EXPECT_EQ(GetMessageText("800001001"), QString(399, QLatin1Char('m')));
}

TEST(ShippedLanguageFiles, EachHasTheMessagesAndAFont) {
  for (const QString name : {"default", "GB", "BIG5", "EN"}) {
    InstallPath() = QStringLiteral(VELMORA_INSTALL_SOURCE) + "/";
    LangName() = name;
    EXPECT_FALSE(GetMessageText("800001001").isEmpty()) << name.toStdString();
    EXPECT_FALSE(ReadIni("Message", "900001011", 400).isEmpty()) << name.toStdString();
    EXPECT_FALSE(ReadIni("Message", "Err", 400).isEmpty()) << name.toStdString();
    EXPECT_FALSE(ReadIni("FONT", "Font", 200).isEmpty()) << name.toStdString();
  }
}
