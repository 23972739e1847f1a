#include <gtest/gtest.h>

#include <QApplication>

#include "platform/BusyCursor.h"

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  velmora::ShowBusyPointerDuringQueries();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
