#pragma once
// A main window over a small edition in a temporary installation folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <functional>
#include <memory>

#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "mainwindow/browse/FavouritesView.h"
#include "mainwindow/browse/NodeTree.h"
#include "mainwindow/connections/RelatedTree.h"
#include "mainwindow/detail/QuizView.h"
#include "mainwindow/frmVELM.h"

namespace velmora::test {

inline bool WaitFor(const std::function<bool()> &done, int milliseconds = 2000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

// A click of the left mouse button in the middle of the control.
inline void Click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }

inline QStringList Texts(const QTreeWidgetItem *parent) {
  QStringList texts;
  for (int i = 0; i < parent->childCount(); ++i) texts << parent->child(i)->text(0);
  return texts;
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { Open(SmallSource()); }
  void TearDown() override {
    window.reset();
    CloseDatabase();
  }
  void Open(const std::vector<editions::SourceEntry> &entries) {
    window.reset();
    install = std::make_unique<TestInstall>();
    install->WriteConfig("default", "GB");
    install->WriteLanguage("default",
                           "[FONT]\nFont=Arial\nSIZE=9\n[Caption]\nKOVTSearch=Search title\nKOVTTreeList=Tree "
                           "title\nAboutMemo=About text\n");
    install->WriteEdition("Velmdict_cn.dat", entries);
    InstallPath() = install->path();
    LangName() = "default";
    UseDatabase(install->file("Data/Velmdict_cn.dat"));
    window = std::make_unique<frmVELM>();
    window->show();
  }
  const MainWindowControls &c() const { return window->controls(); }
  void ShowAfterTick() {
    ASSERT_TRUE(WaitFor([&] { return !window->Browse().SearchList().Timer1().isActive(); }));
  }
  void Search(const QString &key) {
    c().txtSearchKey->setText(key);
    ShowAfterTick();
  }
  QTreeWidgetItem *Node(const QString &key) const { return c().trvIdiomDir->Node(key); }
  // Scrolls the node into view (opening its letter) and clicks it.
  void ClickNode(QTreeWidgetItem *node) {
    NodeTree *tree = c().trvIdiomDir;
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
  }
  void ClickListRow(int row) {
    QTableView *list = c().lstKovSearch;
    const QModelIndex index = list->model()->index(row, 1);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
  }

  std::unique_ptr<TestInstall> install;
  std::unique_ptr<frmVELM> window;
};

}  // namespace velmora::test
