// Velmora: a desktop dictionary of Chinese idioms.
#include <QApplication>
#include <memory>

#include <cstdio>

#include "CommandLine.h"
#include "Startup.h"
#include "config/StartupTrace.h"
#include "dialogs/WelcomeDialog.h"
#include "mainwindow/frmVELM.h"
#include "platform/BusyCursor.h"
#include "platform/ImageList.h"
#include "platform/WindowLanguage.h"

int main(int argc, char **argv) {
  velmora::TraceStartup("main");
  // Answered before Qt opens a window, so that they work without a display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const auto answer = velmora::ReadCommandLine(arguments, QStringLiteral(VELMORA_VERSION));
  if (answer.action != velmora::CommandLineAnswer::Action::Run) {
    std::fputs(answer.text.toLocal8Bit().constData(), answer.exitStatus == 0 ? stdout : stderr);
    return answer.exitStatus;
  }
  QApplication app(argc, argv);
  velmora::TraceStartup("application");
  QApplication::setApplicationName(QStringLiteral("velmora"));
  velmora::UseChineseFallbackFor(QStringLiteral("default"));
  QApplication::setWindowIcon(velmora::ImageByKey(QStringLiteral("velmora")));
  velmora::ShowBusyPointerDuringQueries();
  std::unique_ptr<velmora::frmVELM> mainWindow;
  velmora::StartupWindows windows;
  windows.showWelcome = [] {
    velmora::WelcomeDialog welcome;
    welcome.exec();
  };
  windows.showMainWindow = [&mainWindow] {
    mainWindow = std::make_unique<velmora::frmVELM>();
    velmora::TraceStartup("window-built");
    mainWindow->ShowAsRemembered();
    velmora::TraceStartup("window-shown");
    QApplication::processEvents();
  };
  if (!velmora::Main(QApplication::applicationDirPath(), windows)) return 1;
  return QApplication::exec();
}
