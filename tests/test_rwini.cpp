#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "TestInstall.h"
#include "config/RwIni.h"

using namespace velmora;

namespace {

QByteArray ReadFile(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(RwIni, NoFileSelectedReadsEmptyAndReportsIt) {
  SetIniFile(QString());
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), "");
  EXPECT_EQ(IniError(), "Not Fount ini file");
  EXPECT_FALSE(WriteIni("Setting", "UserName", "x"));
  test::TestInstall install;
  SetIniFile(install.file("config.dll"));
  EXPECT_FALSE(NoIniFile());
  EXPECT_EQ(IniError(), "");
}

TEST(RwIni, SelectionDropsSurroundingBlanks) {
  test::TestInstall install;
  install.Write("config.dll", "[Setting]\nUserName=Li\n");
  SetIniFile("  " + install.file("config.dll") + "  ");
  EXPECT_EQ(CurrentIniFile(), install.file("config.dll"));
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), "Li");
}

TEST(RwIni, FileNamesMatchWithoutRegardToCase) {
  test::TestInstall install;
  install.Write("Lang/GB.lng", "[FONT]\nFont=Arial\n");
  SetIniFile(install.file("lang/gb.LNG"));
  EXPECT_EQ(ReadIni("font", "font", 200), "Arial");
}

TEST(RwIni, MissingFileReadsEmptyAndWriteCreatesIt) {
  test::TestInstall install;
  SetIniFile(install.file("config.dll"));
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), "");
  EXPECT_TRUE(WriteIni("Setting", "UserName", QStringLiteral("王小明")));
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), QStringLiteral("王小明"));
  EXPECT_EQ(ReadFile(install.file("config.dll")), QStringLiteral("[Setting]\nUserName=王小明\n").toUtf8());
}

TEST(RwIni, ReadOnlyFileIsAWriteFailureAndStaysUnchanged) {
  test::TestInstall install;
  install.Write("config.dll", "[Setting]\nUserName=old\n");
  QFile::setPermissions(install.file("config.dll"), QFile::ReadOwner | QFile::ReadGroup);
  SetIniFile(install.file("config.dll"));
  EXPECT_FALSE(WriteIni("Setting", "UserName", "new"));
  EXPECT_EQ(IniError(), "Write Failure");
  EXPECT_EQ(ReadFile(install.file("config.dll")), "[Setting]\nUserName=old\n");
  WriteIniTo(install.file("config.dll"), "Setting", "UserName", "again");
  EXPECT_EQ(IniError(), "Write Failure");
}

TEST(RwIni, WriteIntoMissingFolderFails) {
  test::TestInstall install;
  SetIniFile(install.file("no/such/folder/config.dll"));
  EXPECT_FALSE(WriteIni("Setting", "UserName", "x"));
  EXPECT_EQ(IniError(), "Write Failure");
}

TEST(RwIni, WriteKeepsPermissionsAndOneEntryPerKeySpelling) {
  test::TestInstall install;
  install.Write("config.dll", "[language]\nDatalanguage=BIG5\n");
  QFile::setPermissions(install.file("config.dll"), QFile::ReadOwner | QFile::WriteOwner);
  const auto before = QFile::permissions(install.file("config.dll"));
  WriteIniTo(install.file("config.dll"), "language", "DataLanguage", "GB");
  EXPECT_EQ(ReadFile(install.file("config.dll")), "[language]\nDatalanguage=GB\n");
  EXPECT_EQ(QFile::permissions(install.file("config.dll")), before);
}
