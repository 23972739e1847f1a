#include "Restart.h"

#include <QCoreApplication>
#include <QProcess>
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
  return QProcess::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
}

}  // namespace velmora
