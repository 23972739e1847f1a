// Test helper: writes one key of a settings file over and over, alternating
// between two values, as a running copy of the program would.
//   velmora_ini_hammer FILE KEY VALUE_A VALUE_B COUNT   (COUNT < 0: forever)
#include <QCoreApplication>
#include <QStringList>

#include "config/RwIni.h"

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 6) return 2;
  const long long count = args[5].toLongLong();
  for (long long i = 0; count < 0 || i < count; ++i)
    velmora::WriteIniTo(args[1], QStringLiteral("Setting"), args[2], i % 2 == 0 ? args[3] : args[4]);
  return 0;
}
