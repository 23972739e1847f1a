#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>

#include "TestHooks.h"
#include "TestInstall.h"
#include "app/CommandLine.h"
#include "app/Startup.h"
#include "config/InstallLayout.h"
#include "config/LocaleLanguage.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "data/Conn.h"
#include "data/Queries.h"
#include "editions/EditionBuilder.h"
#include "platform/InstanceBus.h"

using namespace velmora;
using test::RecordedMessages;
using test::TestInstall;

namespace {

const QByteArray kDefaultLng =
    "[FONT]\nFont=Arial\nSIZE=9\n[Message]\n800001001=Cannot open the dictionary\nErr=Some error\n";

struct StartupRun {
  bool proceeded = false;
  int welcomes = 0;
  int mainWindows = 0;
  int windowsMade = 0;
  // What a query made while the window is being made (the dictionary still
  // opening on its worker) found.
  QString highestCodeWhileMade;
  std::vector<MessageBoxRequest> messages;
};

StartupRun Start(const TestInstall &install, MessageAnswer answer = MessageAnswer::Ok) {
  CloseDatabase();
  StartupRun run;
  RecordedMessages recorded(answer);
  StartupWindows windows{[&run] { ++run.welcomes; }, [&run] { ++run.mainWindows; },
                         [&run] {
                           ++run.windowsMade;
                           run.highestCodeWhileMade = OpenRS(kHighestCodeQuery, false).Text("Maxcode");
                         }};
  run.proceeded = Main(install.path(), windows);
  run.messages = recorded.shown();
  return run;
}

// An installation that starts: config, default.lng, the GB edition.
void MakeComplete(const TestInstall &install, const QString &language = "default") {
  install.WriteConfig(language, "GB");
  install.WriteLanguage("default", kDefaultLng);
  install.WriteEdition("Velmdict_cn.dat");
}

void ExpectOneBox(const StartupRun &run, const QString &text, MessageIcon icon) {
  ASSERT_EQ(run.messages.size(), 1u);
  EXPECT_EQ(run.messages[0].text, text);
  EXPECT_EQ(run.messages[0].title, "Velmora");
  EXPECT_EQ(run.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(run.messages[0].icon, icon);
}

}  // namespace

TEST(Startup, CompleteInstallationShowsTheMainWindowWithoutMessages) {
  TestInstall install;
  MakeComplete(install);
  const auto run = Start(install);
  EXPECT_TRUE(run.proceeded);
  EXPECT_EQ(run.mainWindows, 1);
  EXPECT_EQ(run.windowsMade, 1);
  EXPECT_FALSE(run.highestCodeWhileMade.isEmpty()) << "a query waits for the dictionary being opened";
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(InstallPath(), install.path());
  EXPECT_EQ(LangName(), "default");
  EXPECT_TRUE(DbOpen());
  EXPECT_TRUE(ConnString().startsWith("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + install.path() +
                                      "Data/Velmdict_cn.dat;"));
  EXPECT_TRUE(ConnString().endsWith(";Persist Security Info=False;Jet OLEDB:DataBase Password=WQZN4718"));
}

TEST(Startup, MissingConfigurationEndsWithOneCriticalBox) {
  TestInstall install;
  install.WriteLanguage("default", kDefaultLng);
  install.WriteEdition("Velmdict_cn.dat");
  const auto run = Start(install);
  EXPECT_FALSE(run.proceeded);
  EXPECT_EQ(run.mainWindows, 0);
  ExpectOneBox(run, "Config File Lost,Please ReTry Run Setup", MessageIcon::Critical);
}

TEST(Startup, MissingLanguageFileFallsBackToDefault) {
  TestInstall install;
  MakeComplete(install, "EN");
  const auto run = Start(install);
  EXPECT_TRUE(run.proceeded);
  ExpectOneBox(run, "Not Find Language File,Use System Lang", MessageIcon::None);
  EXPECT_EQ(LangName(), "default");
}

TEST(Startup, LanguageValuesThatNeedNoFileCheck) {
  for (const QString &language : {QString(), QStringLiteral("default")}) {
    TestInstall install;
    MakeComplete(install, language);
    QFile::remove(install.file("Lang/default.lng"));
    const auto run = Start(install);
    EXPECT_TRUE(run.proceeded);
    EXPECT_TRUE(run.messages.empty()) << "language '" << language.toStdString() << "'";
    EXPECT_EQ(LangName(), "default");
  }
}

TEST(Startup, CapitalisedDefaultIsCheckedAndFoundWithoutRegardToCase) {
  TestInstall install;
  MakeComplete(install, "Default");
  const auto run = Start(install);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(LangName(), "Default");
}

TEST(Startup, DataLanguageMustNameAPresentEditionExactly) {
  struct Case {
    QString dataLanguage;
    bool bigFivePresent;
  };
  for (const Case &c : {Case{"gb", true}, Case{"BIG5", false}, Case{"", true}, Case{"Big5", true}}) {
    TestInstall install;
    MakeComplete(install);
    install.WriteConfig("default", c.dataLanguage);
    if (c.bigFivePresent) install.WriteEdition("Velmdict_big5.dat");
    const auto run = Start(install);
    EXPECT_FALSE(run.proceeded) << c.dataLanguage.toStdString();
    ExpectOneBox(run, "Data File Lost,Please ReTry Run Setup", MessageIcon::Critical);
  }
  TestInstall install;
  MakeComplete(install);
  install.WriteConfig("default", "BIG5");
  install.WriteEdition("VELMDICT_BIG5.DAT");
  EXPECT_TRUE(Start(install).proceeded) << "the data file name matches without regard to case";
}

TEST(Startup, WelcomeWindowOnlyBelowOneAndBeforeTheDataCheck) {
  for (const auto &[value, expected] :
       std::vector<std::pair<QString, int>>{{"1", 0}, {"2", 0}, {"0", 1}, {"-1", 1}, {"", 1}, {"x", 1}}) {
    TestInstall install;
    install.WriteConfig("default", "GB", value);
    const auto run = Start(install);
    EXPECT_EQ(run.welcomes, expected) << "OpenSystem=" << value.toStdString();
    ExpectOneBox(run, "Data File Lost,Please ReTry Run Setup", MessageIcon::Critical);
  }
}

TEST(Startup, UnopenableDatabaseAsksThenEnds) {
  const auto writeBad = [](const TestInstall &install, const QString &kind) {
    const QString path = install.file("Data/Velmdict_cn.dat");
    if (kind == "password") {
      editions::WriteEdition(editions::BuildRows(test::SmallSource(), editions::Edition::Gb), path, "wrong", "t");
    } else if (kind == "empty") {
      install.Write("Data/Velmdict_cn.dat", {});
    } else if (kind == "random") {
      QByteArray noise(64 * 1024, '\0');
      for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + 13) % 251);
      install.Write("Data/Velmdict_cn.dat", noise);
    } else {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::ReadWrite));
      file.resize(file.size() / 3);
    }
  };
  for (const QString kind : {"password", "empty", "random", "truncated"}) {
    TestInstall install;
    MakeComplete(install);
    writeBad(install, kind);
    auto run = Start(install, MessageAnswer::Ok);
    EXPECT_FALSE(run.proceeded) << kind.toStdString();
    EXPECT_EQ(run.mainWindows, 0) << "a window made while the dictionary opened is never shown";
    EXPECT_EQ(run.windowsMade, 1);
    EXPECT_TRUE(run.highestCodeWhileMade.isEmpty());
    ASSERT_EQ(run.messages.size(), 2u) << kind.toStdString();
    EXPECT_EQ(run.messages[0].text, "Cannot open the dictionary");
    EXPECT_EQ(run.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(run.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(run.messages[1].text, "Link Error");
    EXPECT_EQ(run.messages[1].icon, MessageIcon::None);
    run = Start(install, MessageAnswer::Cancel);
    EXPECT_EQ(run.messages.size(), 1u) << "Cancel ends without the second box";
  }
}

TEST(Startup, LanguageFilesThatAreNoFilesOrHugeOrOutsideAreMissing) {
  TestInstall install;
  MakeComplete(install, "GB");
  ASSERT_EQ(mkfifo(QFile::encodeName(install.file("Lang/GB.lng")).constData(), 0600), 0);
  for (const QString &language : {QString("GB"), QString("BIG"), QString("../../../../tmp/x")}) {
    if (language == "BIG") install.Write("Lang/BIG.lng", "[FONT]\n" + QByteArray(kLargestSettingsFile, ';'));
    install.WriteConfig(language, "GB");
    const auto run = Start(install);
    ExpectOneBox(run, kLanguageLostText, MessageIcon::None);
    EXPECT_TRUE(run.proceeded) << language.toStdString();
    EXPECT_EQ(LangName(), "default");
  }
  QFile::remove(install.file("Lang/default.lng"));
  ASSERT_TRUE(QFile::link("/dev/zero", install.file("Lang/default.lng")));
  install.WriteConfig("default", "GB");
  EXPECT_TRUE(Start(install).proceeded) << "a device as the default language reads as empty";
}

namespace {

// The installation is read-only for the user, as a package's folder is.
struct ReadOnlyInstallation {
  explicit ReadOnlyInstallation(const TestInstall &install) {
    const QString root = install.path();
    SetWritableCheck([root](const QString &path) { return !path.startsWith(root); });
  }
  ~ReadOnlyInstallation() { SetWritableCheck({}); }
};

QByteArray Bytes(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(Startup, AnImportKilledBetweenItsRenamesIsFinishedBeforeTheDataCheck) {
  TestInstall install;
  MakeComplete(install);
  // What a kill between the two renames of the old swap left: the edition
  // in use gone, the previous one and the new one beside it.
  ASSERT_TRUE(QFile::rename(install.file("Data/Velmdict_cn.dat"), install.file("Data/Velmdict_cn.dat.previous")));
  QFile::copy(install.file("Data/Velmdict_cn.dat.previous"), install.file("Data/Velmdict_cn.dat.new"));
  const auto run = Start(install);
  EXPECT_TRUE(run.proceeded);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_TRUE(QFile::exists(install.file("Data/Velmdict_cn.dat")));
}

TEST(UserLayer, AReadOnlyInstallationIsReadThereAndWrittenInTheUsersCopy) {
  TestInstall install;
  MakeComplete(install);
  ReadOnlyInstallation readOnly(install);
  const QByteArray installed = Bytes(install.file("config.dll"));
  ASSERT_TRUE(Start(install).proceeded);
  EXPECT_EQ(ConfigFilePath(), install.file("config.dll"));  // nothing written yet: no copy
  const QString written = ConfigFileForWriting();
  EXPECT_EQ(written, UserConfigFolder() + "config.dll");
  EXPECT_EQ(Bytes(written), installed);  // the first write starts from the installed file
  ASSERT_TRUE(WriteIniValues(written, {{"Setting", "UserName", "Li"}}));
  EXPECT_EQ(ConfigFilePath(), written);  // from now on read there
  SetIniFile(ConfigFilePath());
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), "Li");
  EXPECT_EQ(Bytes(install.file("config.dll")), installed);
  EXPECT_TRUE(FacesFolder().startsWith(UserDataFolder()));
  EXPECT_TRUE(DataFileTarget("GB").startsWith(UserDataFolder()));
}

TEST(UserLayer, AWritableInstallationMakesNoCopies) {
  TestInstall install;
  MakeComplete(install);
  ASSERT_TRUE(Start(install).proceeded);
  EXPECT_EQ(ConfigFileForWriting(), install.file("config.dll"));
  EXPECT_EQ(FacesFolder(), install.path() + "Faces/");
  EXPECT_EQ(DataFileTarget("GB"), install.file("Data/Velmdict_cn.dat"));
  EXPECT_FALSE(QFile::exists(UserConfigFolder() + "config.dll"));
}

TEST(UserLayer, AWritableInstallationIgnoresTheUsersCopiesUnlessThePackageMarksIt) {
  TestInstall install;
  MakeComplete(install);
  // What the packaged installation left in the same user's folders.
  QDir().mkpath(UserConfigFolder());
  QFile::copy(install.file("config.dll"), UserConfigFolder() + "config.dll");
  WriteIniValues(UserConfigFolder() + "config.dll", {{"Setting", "UserName", "Packaged"}});
  QDir().mkpath(UserDataFolder() + "Data");
  QFile::copy(install.file("Data/Velmdict_cn.dat"), UserDataFolder() + "Data/Velmdict_cn.dat");
  ASSERT_TRUE(Start(install).proceeded);
  EXPECT_FALSE(UsesUserFolders());
  EXPECT_EQ(ConfigFilePath(), install.file("config.dll"));
  EXPECT_EQ(DataFilePath("GB"), install.file("Data/Velmdict_cn.dat"));
  // Its own configuration missing is told, not hidden by the user's copy.
  QFile::remove(install.file("config.dll"));
  EXPECT_FALSE(Start(install).proceeded);

  MakeComplete(install);
  install.Write("system-installation", "packaged\n");  // root running the package's program
  EXPECT_TRUE(UsesUserFolders());
  EXPECT_EQ(ConfigFilePath(), UserConfigFolder() + "config.dll");
  EXPECT_EQ(ConfigFileForWriting(), UserConfigFolder() + "config.dll");
  EXPECT_EQ(DataFilePath("GB"), UserDataFolder() + "Data/Velmdict_cn.dat");
  QFile::remove(UserConfigFolder() + "config.dll");
  QFile::remove(UserDataFolder() + "Data/Velmdict_cn.dat");
}

TEST(UserLayer, TheLocaleChoosesTheInterfaceOnceOnASystemInstallation) {
  EXPECT_EQ(LanguageOfLocale("zh_CN.UTF-8"), "GB");
  EXPECT_EQ(LanguageOfLocale("zh_SG"), "GB");
  EXPECT_EQ(LanguageOfLocale("zh_TW.UTF-8"), "BIG5");
  EXPECT_EQ(LanguageOfLocale("zh_HK"), "BIG5");
  EXPECT_EQ(LanguageOfLocale("en_GB.UTF-8"), "EN");
  EXPECT_EQ(LanguageOfLocale("C"), "EN");
  TestInstall install;
  MakeComplete(install);
  install.WriteLanguage("GB", kDefaultLng);
  InstallPath() = install.path();
  EXPECT_FALSE(AdoptLocaleLanguage("zh_CN.UTF-8")) << "a folder installation keeps its own config.dll";
  install.Write("system-installation", "packaged\n");
  ASSERT_TRUE(AdoptLocaleLanguage("zh_CN.UTF-8"));
  SetIniFile(ConfigFilePath());
  EXPECT_EQ(ConfigFilePath(), UserConfigFolder() + "config.dll");
  EXPECT_EQ(ReadIni("language", "language", 100), "GB");
  EXPECT_EQ(ReadIni("language", "DataLanguage", 100), "GB");
  WriteIniValues(ConfigFilePath(), {{"language", "language", "EN"}});  // the user's own choice later
  EXPECT_FALSE(AdoptLocaleLanguage("zh_CN.UTF-8"));
  SetIniFile(ConfigFilePath());
  EXPECT_EQ(ReadIni("language", "language", 100), "EN");
  QFile::remove(UserConfigFolder() + "config.dll");
  // Any other locale reads the English file; the edition stays as installed.
  install.WriteLanguage("EN", kDefaultLng);
  ASSERT_TRUE(AdoptLocaleLanguage("de_DE.UTF-8"));
  SetIniFile(ConfigFilePath());
  EXPECT_EQ(ReadIni("language", "language", 100), "EN");
  EXPECT_EQ(ReadIni("language", "DataLanguage", 100), "GB");
  QFile::remove(UserConfigFolder() + "config.dll");
}

TEST(UserLayer, RelativeXdgFoldersAreIgnored) {
  const QByteArray config = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "relative/config");
  EXPECT_TRUE(UserConfigFolder().startsWith(QDir::homePath() + "/.config/")) << UserConfigFolder().toStdString();
  qputenv("XDG_CONFIG_HOME", config);
}

TEST(UserLayer, ADamagedUserCopyIsReportedAsTheInstalledFileWouldBe) {
  TestInstall install;
  MakeComplete(install);
  ReadOnlyInstallation readOnly(install);
  QDir().mkpath(UserConfigFolder() + "config.dll");  // a folder where the file should be
  const auto run = Start(install);
  EXPECT_FALSE(run.proceeded);
  ExpectOneBox(run, "Config File Lost,Please ReTry Run Setup", MessageIcon::Critical);
}

TEST(CommandLine, HelpAndVersionAnswerQtOptionsPassAndTheRestIsRefused) {
  using Action = CommandLineAnswer::Action;
  EXPECT_EQ(ReadCommandLine({"velmora"}, "1.0.0").action, Action::Run);
  EXPECT_EQ(ReadCommandLine({"velmora", "-style", "fusion", "--platform=xcb", "-reverse"}, "1.0.0").action,
            Action::Run);
  const auto version = ReadCommandLine({"velmora", "--version"}, "1.0.0");
  EXPECT_EQ(version.action, Action::Print);
  EXPECT_EQ(version.text, "Velmora 1.0.0\n");
  EXPECT_TRUE(ReadCommandLine({"velmora", "--help"}, "1.0.0").text.startsWith("Usage: velmora"));
  const auto refused = ReadCommandLine({"velmora", "--frobnicate"}, "1.0.0");
  EXPECT_EQ(refused.action, Action::Refuse);
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_EQ(refused.text.count('\n'), 1);
  EXPECT_EQ(ReadCommandLine({"velmora", "-style"}, "1.0.0").action, Action::Run);  // Qt tells of the missing value
  // Words that are no option are a search key; a Qt option's value is not one of them.
  const auto key = ReadCommandLine({"velmora", "-style", "fusion", "hua", "long", "--selection"}, "1.0.0");
  EXPECT_EQ(key.action, Action::Run);
  EXPECT_EQ(key.searchKey, "hua long");
  EXPECT_TRUE(key.selection);
  EXPECT_EQ(ReadCommandLine({"velmora", "画蛇添足", "--frobnicate"}, "1.0.0").exitStatus, 2);
}

TEST(Startup, TheProgramEndsWhateverAThreadIsBlockedOn) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("idioms.fifo");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  QProcess probe;
  probe.start(EXIT_WATCHDOG_PROBE, {pipe});
  ASSERT_TRUE(probe.waitForFinished(10000)) << "still blocked";
  EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(probe.exitCode(), 7) << "ends with the status it was going to return";
}

TEST(Startup, ASessionBusThatDoesNotAnswerIsGivenUpWithinASecond) {
  if (QStandardPaths::findExecutable("dbus-daemon").isEmpty()) GTEST_SKIP() << "no dbus-daemon here";
  QProcess daemon;
  daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
  ASSERT_TRUE(daemon.waitForReadyRead(5000));
  const QByteArray address = daemon.readLine().trimmed();
  const QByteArray before = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  qputenv("DBUS_SESSION_BUS_ADDRESS", address);
  EXPECT_TRUE(SessionBusAnswers(1000)) << address.toStdString();
  ::kill(static_cast<pid_t>(daemon.processId()), SIGSTOP);  // accepts, never answers
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(SessionBusAnswers(300));
  EXPECT_LT(clock.elapsed(), 3000);
  ::kill(static_cast<pid_t>(daemon.processId()), SIGCONT);
  daemon.kill();
  daemon.waitForFinished();
  qputenv("DBUS_SESSION_BUS_ADDRESS", before);
}
