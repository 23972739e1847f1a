// The entry point of the base's tests: an application without windows.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <QCoreApplication>

int main(int argc, char **argv) {
  // The user's folders of a test run are its own.
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
