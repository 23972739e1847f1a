#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
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
  SetIniFile("\tname\t ");
  EXPECT_EQ(CurrentIniFile(), "\tname\t") << "blanks only, tabs stay";
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

TEST(RwIni, WritesOnlyToRegularFilesAndNeverBlocks) {
  test::TestInstall install;
  install.Write("real.ini", "[Setting]\nUserName=old\n");
  ASSERT_TRUE(QFile::link(install.file("real.ini"), install.file("config.dll")));
  WriteIniTo(install.file("config.dll"), "Setting", "UserName", "new");
  EXPECT_EQ(IniError(), "");
  EXPECT_TRUE(QFileInfo(install.file("config.dll")).isSymLink()) << "the link stays";
  EXPECT_EQ(ReadFile(install.file("real.ini")), "[Setting]\nUserName=new\n");

  const QByteArray fifo = QFile::encodeName(install.file("fifo"));
  ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
  QFile::remove(install.file("config.dll"));
  ASSERT_TRUE(QFile::link(install.file("fifo"), install.file("config.dll")));
  SetIniFile(install.file("config.dll"));
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), "") << "a FIFO reads as missing, at once";
  EXPECT_FALSE(WriteIni("Setting", "UserName", "x"));
  EXPECT_EQ(IniError(), "Write Failure");
  EXPECT_TRUE(QFileInfo(install.file("fifo")).exists() && !QFileInfo(install.file("fifo")).isFile());
  EXPECT_FALSE(QFile::exists(install.file("config.dll.lock")));
  EXPECT_FALSE(SettingsFileReadable(install.file("config.dll")));
}

TEST(RwIni, HugeFilesReadAsMissingAndRewritesReadFresh) {
  test::TestInstall install;
  install.Write("big.lng", "[Caption]\nABOUT=About\n" + QByteArray(kLargestSettingsFile, ';'));
  SetIniFile(install.file("big.lng"));
  EXPECT_EQ(ReadIni("Caption", "ABOUT", 100), "");
  EXPECT_FALSE(SettingsFileReadable(install.file("big.lng")));
  for (const char *name : {"Li", "Wu", "Ma"}) {
    install.Write("config.dll", QByteArray("[Setting]\nUserName=") + name + "\n");
    SetIniFile(install.file("config.dll"));
    EXPECT_EQ(ReadIni("Setting", "UserName", 50), name) << "same size, same second: still the new text";
  }
}

TEST(RwIni, WritableFileInReadOnlyFolderIsWrittenInPlace) {
  test::TestInstall install;
  install.Write("ro/config.dll", "[Setting]\nUserName=old\n");
  QFile::setPermissions(install.file("ro"), QFile::ReadOwner | QFile::ExeOwner);
  SetIniFile(install.file("ro/config.dll"));
  EXPECT_TRUE(WriteIni("Setting", "UserName", "new"));
  EXPECT_EQ(ReadFile(install.file("ro/config.dll")), "[Setting]\nUserName=new\n");
  SetIniFile(install.file("ro/other.dll"));
  EXPECT_FALSE(WriteIni("Setting", "UserName", "new")) << "a new file needs the folder";
  QFile::setPermissions(install.file("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(RwIni, SeveralValuesGoInOneReplacementAsSingleWritesWouldLeaveThem) {
  test::TestInstall install;
  install.Write("a.dll", "[language]\nlanguage=GB\n");
  install.Write("b.dll", "[language]\nlanguage=GB\n");
  const std::vector<IniValue> values{
      {"Setting", "UserName", "Li"}, {"language", "language", "EN"}, {"Setting", "logo", "/x.jpg"}};
  for (const IniValue &value : values) WriteIniTo(install.file("a.dll"), value.section, value.key, value.value);
  EXPECT_TRUE(WriteIniValues(install.file("b.dll"), values));
  EXPECT_EQ(ReadFile(install.file("b.dll")), ReadFile(install.file("a.dll")));
}
