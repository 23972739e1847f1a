// Resident memory of the main window on a 40,000-idiom edition once the
// index tree is built. The edition is written by a child process first, so
// that the measured process holds only what the program itself would.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "editions/EditionBuilder.h"
#include "editions/SyntheticSource.h"
#include "mainwindow/frmVELM.h"

using namespace velmora;

namespace {

double ResidentMegabytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  QTemporaryDir dir;
  const QString file = dir.path() + QStringLiteral("/Velmdict_cn.dat");
  const pid_t child = fork();
  if (child == 0) {
    editions::WriteEdition(editions::BuildRows(editions::SyntheticIdioms(40000), editions::Edition::Gb), file,
                           kDatabasePassword, QStringLiteral("benchmark"));
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const double start = ResidentMegabytes();
  InstallPath() = dir.path() + QLatin1Char('/');
  ConnString() = BuildConnString(file);
  OpenDatabase();
  frmVELM window;
  const double constructed = ResidentMegabytes();
  window.Load();
  const double loaded = ResidentMegabytes();
  window.show();
  while (window.controls().txtIdiom->text().isEmpty()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const double listed = ResidentMegabytes();
  window.controls().cmdKOVTreeList->click();
  QApplication::processEvents();
  std::printf(
      "resident MB: application %.1f, window constructed %.1f, list loaded %.1f, first idiom shown %.1f, "
      "after the tree %.1f\n",
      start, constructed, loaded, listed, ResidentMegabytes());
  CloseDatabase();
  return 0;
}
