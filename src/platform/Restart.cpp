#include "Restart.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "MessageBoxes.h"
#include "lang/Captions.h"

namespace velmora {

namespace {

bool &Requested() {
  static bool requested = false;
  return requested;
}

}  // namespace

bool OfferRestart(const QString &what, const QString &title) {
  const MessageAnswer answer = ShowMessageBox(
      {what + QLatin1Char(' ') + CaptionOr("IMPRESTART", "It takes effect at the next start. Start Velmora again now?"),
       title, MessageButtons::OkCancel, MessageIcon::None});
  if (answer != MessageAnswer::Ok) return false;
  RequestRestart();
  return true;
}

void RequestRestart() {
  Requested() = true;
  QCoreApplication::quit();
}

bool RestartRequested() { return Requested(); }

bool StartAgain() {
  // Told that it is the same program started again, the new process waits
  // for this one's bus name rather than handing its start over to it.
  QProcess process;
  process.setProgram(QCoreApplication::applicationFilePath());
  process.setArguments(QCoreApplication::arguments().mid(1));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QString::fromLatin1(kRestartedVariable), QStringLiteral("1"));
  process.setProcessEnvironment(environment);
  return process.startDetached();
}

bool StartedAgain() {
  // Read once, and not passed on to whatever this process starts.
  static const bool again = qEnvironmentVariableIsSet(kRestartedVariable);
  qunsetenv(kRestartedVariable);
  return again;
}

}  // namespace velmora
