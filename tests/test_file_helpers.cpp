#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "TestInstall.h"
#include "config/FileHelpers.h"
#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/TextNumbers.h"

using namespace velmora;

TEST(FileHelpers, FileExistsOnlyForVisibleOrdinaryFiles) {
  test::TestInstall install;
  install.Write("Data/Velmdict_Big5.dat", "x");
  install.Write(".hidden", "x");
  install.Write("readonly.txt", "x");
  QFile::setPermissions(install.file("readonly.txt"), QFile::ReadOwner);
  EXPECT_TRUE(FileExists(install.file("Data/Velmdict_Big5.dat")));
  EXPECT_TRUE(FileExists(install.file("data/velmdict_big5.DAT"))) << "names match without regard to case";
  EXPECT_TRUE(FileExists(install.file("readonly.txt")));
  EXPECT_FALSE(FileExists(install.file("Data")));
  EXPECT_FALSE(FileExists(install.file(".hidden")));
  EXPECT_FALSE(FileExists(install.file("missing")));
  EXPECT_FALSE(FileExists(QString()));
  EXPECT_FALSE(FileExists(install.file(QStringLiteral("bad") + QChar(0) + "name")));
}

TEST(FileHelpers, FileNameOfPath) {
  EXPECT_EQ(FileNameOfPath("/a/b/logo.jpg"), "logo.jpg");
  EXPECT_EQ(FileNameOfPath("logo.jpg"), "logo.jpg");
  EXPECT_EQ(FileNameOfPath("/a/"), "");
  EXPECT_EQ(FileNameOfPath(""), "");
}

TEST(FileHelpers, NodeKeyAndTrailingSlash) {
  EXPECT_EQ(NodeKey("A"), "MA");
  EXPECT_EQ(NodeKey("1234"), "M1234");
  EXPECT_EQ(NodeKey(""), "M");
  EXPECT_EQ(WithTrailingSlash("/opt/velmora"), "/opt/velmora/");
  EXPECT_EQ(WithTrailingSlash("/"), "/") << "the root keeps its single slash";
}

TEST(FileHelpers, LeadingNumberReadsLikeAHandTypedSetting) {
  EXPECT_EQ(LeadingNumber("1"), 1);
  EXPECT_EQ(LeadingNumber(" 2abc"), 2);
  EXPECT_EQ(LeadingNumber("-1"), -1);
  EXPECT_EQ(LeadingNumber("0.5"), 0.5);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber("\t-.5x"), -0.5);
  EXPECT_EQ(LeadingNumber("3.x"), 3);
  EXPECT_EQ(LeadingNumber("+.x"), 0);
  EXPECT_EQ(LeadingNumber("1e3"), 1) << "a setting is digits and a point, not an exponent";
}

TEST(InstallLayout, NamesFromDataStayInTheirFolder) {
  InstallPath() = "/opt/velmora/";
  EXPECT_EQ(VideoPath(QStringLiteral("一马当先")), QStringLiteral("/opt/velmora/Video/一马当先.rm"));
  EXPECT_EQ(LanguageFilePath("GB"), "/opt/velmora/Lang/GB.lng");
  for (const QString &name : {"../../../../var/x", "a/b", "a\\b"}) {
    EXPECT_EQ(VideoPath(name), "") << name.toStdString();
    EXPECT_EQ(LanguageFilePath(name), "") << name.toStdString();
  }
}
