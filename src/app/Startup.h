#pragma once
// The start-up sequence: checks the installation, reads the configuration,
// opens the dictionary and hands over to the main window.
#include <QString>
#include <functional>

namespace velmora {

inline const QString kConfigLostText = QStringLiteral("Config File Lost,Please ReTry Run Setup");
inline const QString kLanguageLostText = QStringLiteral("Not Find Language File,Use System Lang");
inline const QString kDataLostText = QStringLiteral("Data File Lost,Please ReTry Run Setup");
inline const QString kLinkErrorText = QStringLiteral("Link Error");

// The windows the start-up may show; the message boxes go through
// ShowMessageBox.
struct StartupWindows {
  std::function<void()> showWelcome;     // modal; returns when closed
  std::function<void()> showMainWindow;  // modeless
  // Makes the main window without showing it, while the dictionary opens;
  // it is not shown when the dictionary fails to open.
  std::function<void()> makeMainWindow;
};

// Runs the whole start-up from the executable's folder. Returns true when the
// main window is showing and the program goes on; false when it must end.
bool Main(const QString &executableFolder, const StartupWindows &windows);

// The dictionary opened as Main opens it, without a window or a message:
// for the desktop's search, served before any window is asked for. False
// when the installation, its configuration or its data cannot be used.
bool OpenDictionaryQuietly(const QString &executableFolder);

}  // namespace velmora
