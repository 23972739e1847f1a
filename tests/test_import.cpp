// Import of idiom data through its dialog: both editions replaced only when
// whole, the previous ones kept and brought back, a cancelled import leaving
// the files in use as they were.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "MainWindowFixture.h"
#include "TestHooks.h"
#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/ConnString.h"
#include "data/IdiomStore.h"
#include "dialogs/frmImport.h"
#include "editions/Editions.h"
#include "platform/FileDialogs.h"

using namespace velmora;
using test::WaitFor;

namespace {

QByteArray Bytes(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Import : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallPath() = install.path();
    install.WriteEdition("Velmdict_cn.dat");
    install.WriteEdition("Velmdict_big5.dat");
    before = Bytes(install.file("Data/Velmdict_cn.dat"));
    install.Write("new.json", R"([{"word":"画龙点睛","pinyin":"huà lóng diǎn jīng","explanation":"比喻关键处点明要旨",
                                   "derivation":"唐·张彦远《历代名画记》","example":"无"},
                                  {"word":"画蛇添足"}])");
    install.Write("cedict_ts.u8",
                  "#! date=2024-05-01\n"
                  "畫龍點睛 画龙点睛 [hua4 long2 dian3 jing1] /(idiom) to add the finishing touch/\n");
  }
  void Choose(frmImport &dialog, const QStringList &files) {
    SetOpenFilesChooser([files](QWidget *, const QString &, const QString &) { return files; });
    QTest::mouseClick(dialog.findChild<QPushButton *>("cmdImportAdd"), Qt::LeftButton);
    SetOpenFilesChooser({});
    ASSERT_TRUE(WaitFor([&] { return !dialog.IsReading(); }, 30000));
  }
  test::TestInstall install;
  QByteArray before;
};

TEST_F(Import, BuildsBothEditionsFromTheChosenFilesAndKeepsThePreviousOnes) {
  test::RecordedMessages messages(MessageAnswer::Cancel);  // no restart
  frmImport dialog;
  Choose(dialog, {install.file("new.json"), install.file("cedict_ts.u8")});
  ASSERT_EQ(dialog.Sources().size(), 2u);
  EXPECT_EQ(dialog.Sources()[0].withDerivation, 1);
  EXPECT_TRUE(dialog.findChild<QLabel *>("lblImportStatus")
                  ->text()
                  .startsWith("2 idioms in 2 files: 1 with an English definition, 1 with a Chinese explanation. "
                              "Skipped: 1 without a reading."));
  dialog.findChild<QRadioButton *>("optImportReplace")->click();
  QTest::mouseClick(dialog.findChild<QPushButton *>("cmdImportStart"), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return !dialog.IsImporting(); }, 30000));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].text.contains("1 idioms (GB)")) << messages.shown()[0].text.toStdString();
  EXPECT_EQ(editions::CountIdioms(install.file("Data/Velmdict_cn.dat"), kDatabasePassword), 1);
  EXPECT_EQ(editions::CountIdioms(install.file("Data/Velmdict_big5.dat"), kDatabasePassword), 1);
  EXPECT_EQ(Bytes(install.file("Data/Velmdict_cn.dat.previous")), before);
  EXPECT_FALSE(QFile::exists(install.file("Data/Velmdict_cn.dat.new")));

  QTest::mouseClick(dialog.findChild<QPushButton *>("cmdImportRestore"), Qt::LeftButton);
  EXPECT_EQ(Bytes(install.file("Data/Velmdict_cn.dat")), before);
  EXPECT_EQ(editions::CountIdioms(install.file("Data/Velmdict_cn.dat.previous"), kDatabasePassword), 1);
}

TEST_F(Import, ACancelledOrFailedImportLeavesTheFilesInUseByteForByte) {
  QByteArray many = "[";
  for (int i = 0; i < 30000; ++i)
    many += QStringLiteral("%1{\"word\":\"测%2\",\"pinyin\":\"cè shì\",\"explanation\":\"说明\"}")
                .arg(i ? "," : "")
                .arg(i)
                .toUtf8();
  install.Write("many.json", many + "]");
  const QByteArray big5 = Bytes(install.file("Data/Velmdict_big5.dat"));
  test::RecordedMessages messages;
  frmImport dialog;
  Choose(dialog, {install.file("many.json")});
  dialog.StartImport();
  ASSERT_TRUE(WaitFor([&] { return dialog.findChild<QProgressBar *>("prgImport")->value() > 300; }, 30000));
  QTest::mouseClick(dialog.findChild<QPushButton *>("cmdImportClose"), Qt::LeftButton);  // "Cancel" meanwhile
  ASSERT_TRUE(WaitFor([&] { return !dialog.IsImporting(); }, 30000));
  EXPECT_EQ(Bytes(install.file("Data/Velmdict_cn.dat")), before);
  EXPECT_EQ(Bytes(install.file("Data/Velmdict_big5.dat")), big5);
  EXPECT_FALSE(QFile::exists(install.file("Data/Velmdict_cn.dat.new")));
  EXPECT_FALSE(QFile::exists(install.file("Data/Velmdict_cn.dat.new.part")));
  EXPECT_TRUE(messages.shown().empty());
  // A file that is not idiom data is refused in words, before anything.
  install.Write("notes.txt", "shopping list");
  Choose(dialog, {install.file("notes.txt")});
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].text.endsWith("neither an idiom JSON file nor CC-CEDICT data"));
  EXPECT_EQ(dialog.Sources().size(), 1u);
}

TEST_F(Import, HostileFilesAreRefusedByNameAndTheDialogGoesOn) {
  install.Write("nested.json", QByteArray(100000, '[') + QByteArray(100000, ']'));
  install.Write("huge.json", R"([{"word":"画蛇添足","pinyin":"hua4 she2 tian1 zu2","n":1e999}])");
  test::RecordedMessages messages;
  frmImport dialog;
  Choose(dialog, {install.file("nested.json"), install.file("huge.json"), install.file("new.json")});
  ASSERT_EQ(messages.shown().size(), 2u);
  EXPECT_TRUE(messages.shown()[0].text.startsWith(install.file("nested.json")))
      << messages.shown()[0].text.toStdString();
  EXPECT_TRUE(messages.shown()[1].text.contains("huge.json, line 1, column 52: this number is too large"))
      << messages.shown()[1].text.toStdString();
  ASSERT_EQ(dialog.Sources().size(), 1u) << "the sound file after them is taken";
  EXPECT_TRUE(dialog.findChild<QPushButton *>("cmdImportStart")->isEnabled());
}

TEST_F(Import, AddingKeepsTheIdiomsInUseAndTheirTexts) {
  test::RecordedMessages messages(MessageAnswer::Cancel);
  frmImport dialog;
  Choose(dialog, {install.file("cedict_ts.u8")});
  EXPECT_TRUE(dialog.findChild<QLabel *>("lblImportStatus")->text().startsWith("1 idioms in 1 file"));
  ASSERT_TRUE(dialog.findChild<QRadioButton *>("optImportAdd")->isChecked()) << "adding is the default";
  dialog.StartImport();
  ASSERT_TRUE(WaitFor([&] { return !dialog.IsImporting(); }, 30000));
  const auto before = test::SmallSource();
  EXPECT_EQ(editions::CountIdioms(install.file("Data/Velmdict_cn.dat"), kDatabasePassword),
            static_cast<long long>(before.size()) + 1);
  test::UseDatabase(install.file("Data/Velmdict_cn.dat"));
  const auto kept = Record("一马当先");
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->note, "to take the lead") << "an English definition read back is not doubled";
  EXPECT_EQ(kept->source, "《水浒传》");
  CloseDatabase();
}

TEST_F(Import, ASecondImportIntoTheSameFolderIsToldThatOneIsRunning) {
  editions::ImportLock other(install.file("Data"));
  ASSERT_TRUE(other.TryLock());
  test::RecordedMessages messages;
  frmImport dialog;
  Choose(dialog, {install.file("new.json")});
  dialog.StartImport();
  EXPECT_FALSE(dialog.IsImporting());
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].text.contains("Another import")) << messages.shown()[0].text.toStdString();
  EXPECT_EQ(Bytes(install.file("Data/Velmdict_cn.dat")), before);
}

}  // namespace
