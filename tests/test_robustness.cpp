#include <gtest/gtest.h>

#include <sqlite3.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QThread>
#include <QTimer>

#include "MainWindowFixture.h"
#include "TestHooks.h"
#include "TestInstall.h"
#include "app/Startup.h"
#include "config/IniDocument.h"
#include "config/RwIni.h"
#include "data/SqlConnection.h"
#include "dictionary/DetailText.h"
#include "editions/EditionBuilder.h"
#include "editions/SyntheticSource.h"
#include "lang/Messages.h"
#include "platform/Desktop.h"
#include "platform/WindowLanguage.h"

using namespace velmora;
using test::Click;
using test::MainWindow;
using test::TestInstall;

namespace {

QByteArray ReadFile(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Noise(int size, quint32 seed) {
  QRandomGenerator random(seed);
  QByteArray bytes(size, '\0');
  for (char &b : bytes) b = static_cast<char>(random.bounded(256));
  return bytes;
}

// Runs the start-up on the installation and returns the texts of the boxes.
QStringList StartupMessages(const TestInstall &install, bool *proceeded = nullptr) {
  CloseDatabase();
  test::RecordedMessages messages(MessageAnswer::Cancel);
  const bool started = Main(install.path(), StartupWindows{[] {}, [] {}});
  if (proceeded) *proceeded = started;
  QStringList texts;
  for (const auto &m : messages.shown()) texts << m.text;
  return texts;
}

}  // namespace

TEST(BrokenConfig, DamagedFilesReadAsEmptyAndStartUpSaysWhy) {
  const std::vector<std::pair<const char *, QByteArray>> cases = {
      {"empty", {}},
      {"garbage", Noise(4096, 1)},
      {"nul bytes", QByteArray("[language]\0\nlanguage=default\nDataLanguage=G\0B\n", 44)},
      {"header without bracket", "[language\nDataLanguage=GB\n"},
      {"keys without equals", "[language]\nDataLanguage\nGB\n"},
  };
  for (const auto &[name, bytes] : cases) {
    TestInstall install;
    install.Write("config.dll", bytes);
    install.WriteEdition("Velmdict_cn.dat");
    bool proceeded = true;
    EXPECT_EQ(StartupMessages(install, &proceeded), QStringList({kDataLostText})) << name;
    EXPECT_FALSE(proceeded);
  }
}

TEST(BrokenConfig, HugeSingleLineIsReadWithoutTrouble) {
  TestInstall install;
  const qsizetype length = kLargestSettingsFile - 100;
  install.Write("config.dll", "[language]\nDataLanguage=GB\nlanguage=" + QByteArray(length, 'x') + "\n");
  SetIniFile(install.file("config.dll"));
  EXPECT_EQ(ReadIni("language", "language", 100), QString(99, QLatin1Char('x')));
  EXPECT_EQ(ReadIni("language", "DataLanguage", 100), "GB");
  EXPECT_TRUE(WriteIni("Setting", "UserName", "Li"));
  EXPECT_EQ(ReadIni("language", "language", 100000000).size(), length);
}

TEST(BrokenLanguage, MissingOrOddFilesChangeNothingAndNeverFail) {
  TestInstall install;
  InstallPath() = install.path();
  LangName() = "XX";
  EXPECT_EQ(GetMessageText("800001001"), "");
  QWidget window;
  auto *label = new QLabel("caption", &window);
  label->setObjectName("lblThing");
  const QFont before = label->font();
  SetFormFont(&window);
  SetLblCaption(&window, "XX");
  EXPECT_EQ(label->font(), before);
  EXPECT_EQ(label->text(), "caption");
  install.WriteLanguage("XX",
                        "[Caption]\nTHING=" + QByteArray(300, 'y') + "\n[FONT]\nFont=No Such Font Family\nSIZE=11\n");
  SetFormFont(&window);
  SetLblCaption(&window, "XX");
  EXPECT_EQ(label->text(), QString(99, QLatin1Char('y'))) << "a long caption is cut to its buffer";
  EXPECT_EQ(label->font().pointSize(), 11);
}

TEST(BrokenLanguage, GbkAndUtf8FilesReadAlike) {
  TestInstall install;
  InstallPath() = install.path();
  const QString text = QStringLiteral("无法打开数据库");
  QStringEncoder gbk("GB18030");
  install.WriteLanguage("GB", QByteArray("[Message]\n800001001=") + QByteArray(gbk.encode(text)) + "\n");
  install.WriteLanguage("U8", "[Message]\n800001001=" + text.toUtf8() + "\n");
  for (const QString language : {"GB", "U8"}) {
    LangName() = language;
    EXPECT_EQ(GetMessageText("800001001"), text) << language.toStdString();
  }
}

TEST(BrokenData, FileCutShortAtAnySizeNeverStarts) {
  TestInstall source;
  source.WriteEdition("Velmdict_cn.dat");
  const QByteArray whole = ReadFile(source.file("Data/Velmdict_cn.dat"));
  for (const qsizetype size :
       {qsizetype(1), qsizetype(100), qsizetype(1024), qsizetype(4096), whole.size() / 2, whole.size() - 1024}) {
    TestInstall install;
    install.WriteConfig("default", "GB");
    install.WriteLanguage("default", "[Message]\n800001001=cannot open\n");
    install.Write("Data/Velmdict_cn.dat", whole.left(size));
    bool proceeded = true;
    const QStringList shown = StartupMessages(install, &proceeded);
    if (!proceeded) {
      EXPECT_EQ(shown, QStringList({"cannot open"})) << size;
      continue;
    }
    // A file cut after its schema may still open; then the window shows
    // what it can read, and no more than the whole file held.
    EXPECT_TRUE(shown.isEmpty()) << size;
    frmVELM window;
    window.Load();
    EXPECT_LE(window.Browse().SearchList().Model().rowCount(), 13) << size;
  }
}

class OddTables : public MainWindow {
 protected:
  void SetUp() override {}
  // An edition whose table is built by the given statements.
  void OpenTable(const QString &statements) {
    window.reset();
    install = std::make_unique<TestInstall>();
    install->WriteConfig("default", "GB");
    QDir().mkpath(install->file("Data"));
    QString error;
    {
      auto db = SqlConnection::Open(install->file("Data/Velmdict_cn.dat"), kDatabasePassword,
                                    SqlConnection::Mode::Create, &error);
      ASSERT_NE(db, nullptr);
      ASSERT_TRUE(db->Execute(statements, &error)) << error.toStdString();
    }
    InstallPath() = install->path();
    LangName() = "default";
    test::UseDatabase(install->file("Data/Velmdict_cn.dat"));
    window = std::make_unique<frmVELM>();
    window->show();
  }
};

TEST_F(OddTables, MissingColumnsAndNullsShowWhatThereIs) {
  OpenTable(
      "CREATE TABLE VELM (Code INTEGER, Idiom TEXT);"
      "INSERT INTO VELM VALUES (1, '一马当先'), (2, NULL), (3, '一举两得');");
  EXPECT_EQ(window->Browse().SearchList().Model().rowCount(), 3);
  ShowAfterTick();
  EXPECT_EQ(c().txtSpell->text(), "");
  EXPECT_EQ(c().txtExplain->toPlainText(), "");
  Click(c().cmdKOVTreeList);
  EXPECT_EQ(c().trvIdiomDir->topLevelItemCount(), 0) << "no FirstA column: the letter query fails";
  Click(c().Command5);
  EXPECT_TRUE(c().Picture5->isVisible());
}

TEST_F(OddTables, AMegabyteOnOneLineIsShownCutAndSaysSo) {
  // Laid out whole, this line took minutes; the boxes get its start only.
  OpenTable(
      "CREATE TABLE VELM (Code INTEGER, Idiom TEXT, Spell TEXT, Note TEXT, Source TEXT, Example TEXT);"
      "INSERT INTO VELM VALUES (1, '一马当先', 'yī', replace(hex(zeroblob(500000)), '00', 'ab'), "
      "replace(hex(zeroblob(500000)), '00', '长'), 'short');");
  ShowAfterTick();
  const QString note = c().txtExplain->toPlainText();
  EXPECT_LT(note.size(), kLongestDetailText + 40);
  EXPECT_TRUE(note.startsWith("abab"));
  EXPECT_TRUE(note.endsWith("[10000 / 1000000]")) << "the box says that the text was cut";
  EXPECT_LT(c().txtDerivation->toPlainText().size(), kLongestDetailText + 40);
  EXPECT_EQ(c().txtExample->toPlainText(), "short");
  EXPECT_LT(window->Detail().DetailText().size(), 4 * kLongestDetailText);
}

TEST_F(OddTables, LettersGroupWithoutCaseAndNeverShareKeysWithIdioms) {
  OpenTable(
      "CREATE TABLE VELM (Code INTEGER, Idiom TEXT, FirstA TEXT, Spell TEXT);"
      "INSERT INTO VELM VALUES (1, '阿鼻地狱', 'a', 'ā'), (2, '爱不释手', 'A', 'ài'), (5, '一马当先', 'Y', 'yī'),"
      "(6, '一举两得', 'Y', 'yī'), (7, '甲乙', '5', ''), (8, '丙丁', '5', '');");
  Click(c().cmdKOVTreeList);
  QStringList letters;
  for (int i = 0; i < c().trvIdiomDir->topLevelItemCount(); ++i) letters << c().trvIdiomDir->topLevelItem(i)->text(0);
  EXPECT_EQ(letters.size(), 3) << letters.join(' ').toStdString();
  EXPECT_TRUE(letters.contains("A(2)") || letters.contains("a(2)")) << "a and A are one letter";
  EXPECT_TRUE(letters.contains("5(2)"));
  ASSERT_NE(Node("MY"), nullptr);
  EXPECT_EQ(test::Texts(Node("MY")), QStringList({"一举两得", "一马当先"})) << "code 5 beside the letter 5";
}

TEST_F(OddTables, GapsInTheCodesAreDrawnAgain) {
  OpenTable(
      "CREATE TABLE VELM (Code INTEGER, Idiom TEXT, FirstA TEXT, Spell TEXT);"
      "INSERT INTO VELM VALUES (1, '一马当先', 'Y', 'yī mǎ dāng xiān'), (4, '一举两得', 'Y', 'yī jǔ liǎng dé');");
  EXPECT_EQ(window->Browse().MaxIdiomCode(), "4");
  for (int i = 0; i < 20; ++i) {
    Click(c().Picture5->controls().Command11);
    EXPECT_TRUE(c().Picture5->controls().Label4->text() == "一马当先" ||
                c().Picture5->controls().Label4->text() == "一举两得")
        << c().Picture5->controls().Label4->text().toStdString();
  }
}

TEST_F(MainWindow, SeventyThousandIdiomsAreListedSearchedAndDrawn) {
  Open(editions::SyntheticIdioms(70000));
  ASSERT_TRUE(test::WaitFor([&] { return window->Browse().SearchList().Model().rowCount() == 70000; }));
  EXPECT_EQ(window->Browse().MaxIdiomCode(), "70000");
  const QString deep = window->Browse().SearchList().Model().IdiomAt(65000);
  Search(deep);
  EXPECT_EQ(window->Browse().SearchList().CurrentRow(), 65000);
  EXPECT_EQ(c().txtIdiom->text(), deep);
  Click(c().Command5);
  EXPECT_FALSE(c().Picture5->controls().Label1->text().isEmpty());
}

TEST_F(MainWindow, OddLogosKeepThePicture) {
  const QSize builtIn = c().imgLogo->pixmap().size();
  const auto showLogo = [&](const QString &path) {
    WriteIniTo(install->file("config.dll"), "Setting", "logo", path);
    window->RefreshUserPanel();
    return c().imgLogo->pixmap().size();
  };
  QDir().mkpath(install->file("folder.jpg"));
  EXPECT_EQ(showLogo(install->file("folder.jpg")), builtIn);
  EXPECT_EQ(showLogo("/" + QString(1000, QLatin1Char('a')) + ".jpg"), builtIn);
  install->Write("huge.bmp", QByteArray::fromHex("424d") + QByteArray(60, '\0'));
  EXPECT_EQ(showLogo(install->file("huge.bmp")), builtIn) << "a damaged header is not a picture";
  QImage big(4200, 4000, QImage::Format_RGB888);
  big.fill(Qt::darkRed);
  ASSERT_TRUE(big.save(install->file("big.bmp"), "BMP"));
  ASSERT_GT(QFileInfo(install->file("big.bmp")).size(), 50'000'000);
  const QSize shown = showLogo(install->file("big.bmp"));
  EXPECT_LE(shown.width(), 160) << "a 50 MB picture is decoded small";
  EXPECT_GT(shown.width(), 0);
}

TEST_F(MainWindow, SettingsWithEveryFieldEmptyAreStored) {
  QTimer::singleShot(0, [] {
    auto *dialog = QApplication::activeModalWidget();
    for (auto *box : dialog->findChildren<QLineEdit *>()) box->clear();
    dialog->findChild<QPushButton *>("cmdOK")->click();
  });
  window->OpenSettings();
  SetIniFile(install->file("config.dll"));
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), "");
  EXPECT_EQ(c().lblUserCoolName->text(), " -- ");
}

TEST(Desktop, MissingOpenerIsNoError) {
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", "/nonexistent");
  const bool page = OpenWithDesktop(QUrl::fromLocalFile("/tmp/velmora-no-such-page.html"));
  const bool mail = OpenWithDesktop(QUrl("mailto:velmora@example.org"));
  qputenv("PATH", path);
  EXPECT_FALSE(page) << "without an opener nothing is reported as opened";
  EXPECT_FALSE(mail);
}

TEST(CrashSafety, AWriteKilledAtAnyPointLeavesAWholeFile) {
  TestInstall install;
  const QString file = install.file("config.dll");
  const QString a(3000, QLatin1Char('a')), b(5000, QLatin1Char('b'));
  WriteIniTo(file, "Setting", "UserName", a);
  const QString hammer = QCoreApplication::applicationDirPath() + "/velmora_ini_hammer";
  for (int round = 0; round < 15; ++round) {
    QProcess writer;
    writer.start(hammer, {file, "UserName", a, b, "-1"});
    ASSERT_TRUE(writer.waitForStarted());
    QThread::msleep(20 + QRandomGenerator::global()->bounded(60));
    writer.kill();
    writer.waitForFinished();
    SetIniFile(file);
    const QString value = ReadIni("Setting", "UserName", 10000);
    EXPECT_TRUE(value == a || value == b) << "round " << round << ": " << value.size() << " characters";
    EXPECT_TRUE(QFileInfo(file).isFile()) << "the file is never missing, not even for a moment of a write";
  }
}

TEST(CrashSafety, TwoCopiesWritingAlternatelyLoseNothing) {
  TestInstall install;
  const QString file = install.file("config.dll");
  const QString hammer = QCoreApplication::applicationDirPath() + "/velmora_ini_hammer";
  QProcess first, second;
  first.start(hammer, {file, "UserName", "Li", "Wang", "200"});
  second.start(hammer, {file, "UserCoolName", "Dragon", "Tiger", "201"});
  ASSERT_TRUE(first.waitForFinished(60000));
  ASSERT_TRUE(second.waitForFinished(60000));
  SetIniFile(file);
  EXPECT_EQ(ReadIni("Setting", "UserName", 50), "Wang");
  EXPECT_EQ(ReadIni("Setting", "UserCoolName", 100), "Dragon");
  EXPECT_EQ(ReadFile(file).count('\n'), 3) << "one section line and two keys";
}
