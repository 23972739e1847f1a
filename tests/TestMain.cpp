#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <QApplication>

#include "platform/BusyCursor.h"

int main(int argc, char **argv) {
  // The user's folders of a test run are its own.
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  velmora::ShowBusyPointerDuringQueries();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
