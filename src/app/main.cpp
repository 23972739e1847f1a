// Velmora: a desktop dictionary of Chinese idioms.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <memory>
#include <utility>
#include <vector>

#include <cstdio>

#include "CommandLine.h"
#include "ExitWatchdog.h"
#include "Startup.h"
#include "WindowlessSearch.h"
#include "config/StartupTrace.h"
#include "dialogs/WelcomeDialog.h"
#include "mainwindow/frmVELM.h"
#include "platform/BusyCursor.h"
#include "platform/ImageList.h"
#include "platform/InstanceBus.h"
#include "platform/PictureStyle.h"
#include "platform/Restart.h"
#include "platform/SelectionForLookup.h"
#include "platform/SelectionReader.h"
#include "platform/TerminationSignals.h"
#include "platform/WindowLanguage.h"
#include "platform/wayland/WaylandActivation.h"

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
  // Asked before Qt is: the first accessible name starts Qt's accessibility
  // bridge, which connects to the session bus and, if the bus is stopped,
  // waits for it for good. A bus that does not answer within a second is
  // not used at all by this process.
  const bool busAnswers = velmora::SessionBusAnswers(1000);
  if (!busAnswers) velmora::ForgetSessionBus();
  QApplication app(argc, argv);
  velmora::TraceStartup("application");
  if (answer.print != velmora::CommandLineAnswer::Print::None) {
    // A window's helper: the selection read where waiting for it harms nothing.
    const QString text = answer.print == velmora::CommandLineAnswer::Print::Selection
                             ? velmora::ReadSelectionHere(velmora::wayland::TakeLaunchToken())
                             : velmora::ReadClipboardHere();
    std::fputs(text.toUtf8().constData(), stdout);
    return 0;
  }
  QApplication::setApplicationName(QStringLiteral("velmora"));
  velmora::QuitOnTerminationSignals();
  velmora::UseChineseFallbackFor(QStringLiteral("default"));
  velmora::UsePictureStyle();
  QApplication::setWindowIcon(velmora::ImageByKey(QStringLiteral("velmora")));
  // One window per user and display: a running Velmora takes the request.
  velmora::InstanceRequest request;
  request.activationToken = velmora::wayland::TakeLaunchToken();
  if (!answer.searchKey.isEmpty() && !answer.selection) {
    request.kind = velmora::InstanceRequest::Kind::Search;
    request.text = answer.searchKey;
  }
  std::unique_ptr<velmora::frmVELM> mainWindow;
  velmora::InstanceService service;
  const bool startedAgain = velmora::StartedAgain();
  // The name is taken first; only when another start has it is the request
  // handed over. A bus that does not answer is given up after a second: the
  // program runs as a window of its own.
  std::unique_ptr<velmora::WindowlessSearch> windowless;
  const auto registration = !busAnswers
                                ? velmora::InstanceService::Registration::NoBus
                                : service.Register({[&](const QString &key) {
                                                      return mainWindow   ? mainWindow->Lookup().Answers().find(key)
                                                             : windowless ? windowless->Answers().find(key)
                                                                          : QStringList();
                                                    },
                                                    [&](const QString &id) {
                                                      return mainWindow   ? mainWindow->Lookup().Answers().describe(id)
                                                             : windowless ? windowless->Answers().describe(id)
                                                                          : QVariantMap();
                                                    }});
  auto owned = registration;
  // Started again by the one before, which is letting go of the name: the
  // name is waited for, never handed over to the one leaving.
  if (owned == velmora::InstanceService::Registration::Taken && startedAgain) {
    QElapsedTimer waited;
    waited.start();
    while (owned == velmora::InstanceService::Registration::Taken &&
           waited.elapsed() < velmora::kNameWaitMilliseconds) {
      QThread::msleep(50);
      owned = service.Register(service.Answers());
    }
  }
  velmora::SelectionReader::UseHelperProcess(true);
  // The selection is read here, where the user is, and its text handed on:
  // a window in the background may not be given it.
  if (answer.selection) {
    request.kind = velmora::InstanceRequest::Kind::Lookup;
    request.text = velmora::ReadSelectionForLookup(request.activationToken);
  }
  if (owned == velmora::InstanceService::Registration::Taken && velmora::HandToRunningInstance(request)) return 0;
  // Started by the bus for the desktop's search: another start serves it already.
  if (answer.service) {
    if (owned != velmora::InstanceService::Registration::Owned) return 0;
    windowless = std::make_unique<velmora::WindowlessSearch>(service);
    if (!windowless->Open(QApplication::applicationDirPath())) return 1;
  }
  velmora::ShowBusyPointerDuringQueries();
  // Requests that come before the window is there wait for it.
  std::vector<velmora::InstanceRequest> waiting;
  if (request.kind != velmora::InstanceRequest::Kind::Activate) waiting.push_back(request);
  velmora::StartupWindows windows;
  windows.showWelcome = [] {
    velmora::WelcomeDialog welcome;
    welcome.exec();
  };
  windows.makeMainWindow = [&mainWindow] {
    mainWindow = std::make_unique<velmora::frmVELM>();
    velmora::TraceStartup("window-built");
  };
  windows.showMainWindow = [&mainWindow, &waiting, launchToken = request.activationToken] {
    if (!mainWindow) mainWindow = std::make_unique<velmora::frmVELM>();
    mainWindow->ShowAsRemembered();
    velmora::wayland::ActivateWithToken(mainWindow->windowHandle(), launchToken);
    velmora::TraceStartup("window-shown");
    QApplication::processEvents();
    for (const velmora::InstanceRequest &asked : std::exchange(waiting, {})) mainWindow->Lookup().Handle(asked);
  };
  // Without a window yet (started for the desktop's search), the first
  // request for one starts it.
  bool windowAsked = false;
  const auto requestWindow = [&](const velmora::InstanceRequest &asked) {
    if (mainWindow) return mainWindow->Lookup().Handle(asked);
    waiting.push_back(asked);
    if (!windowless || std::exchange(windowAsked, true)) return;
    windowless->WindowWanted();
    if (!velmora::Main(QApplication::applicationDirPath(), windows)) QApplication::exit(1);
  };
  QObject::connect(&service, &velmora::InstanceService::requested, requestWindow);
  QObject::connect(&service, &velmora::InstanceService::resultChosen, [&mainWindow, &requestWindow](const QString &id) {
    if (mainWindow) return mainWindow->Lookup().ShowResult(id);
    requestWindow({velmora::InstanceRequest::Kind::Search, id, {}});
  });
  if (!windowless && !velmora::Main(QApplication::applicationDirPath(), windows)) return 1;
  const int status = QApplication::exec();
  velmora::ArmExitWatchdog(status);
  if (!velmora::RestartRequested()) return status;
  mainWindow.reset();
  service.Release();
  if (!velmora::StartAgain()) std::fputs("velmora: the program could not be started again\n", stderr);
  return status;
}
