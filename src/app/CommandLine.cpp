#include "CommandLine.h"

namespace velmora {

namespace {

// Qt's own options, which QApplication takes from the command line; those
// in the second list take a value.
const QStringList kQtFlags = {"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount", "-session"};
const QStringList kQtOptionsWithValue = {"-style",         "-stylesheet", "-platform",        "-platformpluginpath",
                                         "-platformtheme", "-plugin",     "-qwindowgeometry", "-qwindowicon",
                                         "-qwindowtitle",  "-display",    "-geometry",        "-title",
                                         "-name",          "-fontengine", "-dialogs",         "-session"};

QString Normalised(const QString &option) {
  // Qt accepts its options with one dash or two.
  return option.startsWith(QLatin1String("--")) ? option.mid(1) : option;
}

}  // namespace

CommandLineAnswer ReadCommandLine(const QStringList &arguments, const QString &version) {
  CommandLineAnswer run;
  QStringList words;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString &argument = arguments[i];
    if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
      words << argument;
      continue;
    }
    if (argument == QLatin1String("--selection")) {
      run.selection = true;
      continue;
    }
    if (argument == QLatin1String("--gapplication-service")) {
      run.service = true;
      continue;
    }
    if (argument == QLatin1String("--print-selection") || argument == QLatin1String("--print-clipboard")) {
      run.print = argument == QLatin1String("--print-selection") ? CommandLineAnswer::Print::Selection
                                                                 : CommandLineAnswer::Print::Clipboard;
      continue;
    }
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
      return {CommandLineAnswer::Action::Print,
              QStringLiteral("Usage: velmora [--selection] [Qt options] [TEXT]\n"
                             "Velmora, a desktop dictionary of Chinese idioms.\n\n"
                             "  TEXT           look TEXT up (an idiom, its pinyin or initials) in the\n"
                             "                 running Velmora, or in a new one\n"
                             "  --selection    look up the selected text (or the clipboard's)\n"
                             "  --gapplication-service\n"
                             "                 serve the desktop's search without a window (as the\n"
                             "                 session bus starts it) and end after a quiet minute\n"
                             "  --print-selection, --print-clipboard\n"
                             "                 print the selected text (or the clipboard's) and end\n"
                             "  -h, --help     show this help and end\n"
                             "  -v, --version  show the version and end\n\n"
                             "Qt's own options such as -style NAME or -platform NAME are passed on to Qt.\n"
                             "Settings are kept in ~/.config/velmora/, favourites and history in\n"
                             "~/.local/share/velmora/.\n"),
              0};
    if (argument == QLatin1String("--version") || argument == QLatin1String("-v"))
      return {CommandLineAnswer::Action::Print, QStringLiteral("Velmora %1\n").arg(version), 0};
    const QString option = Normalised(argument.section(QLatin1Char('='), 0, 0));
    if (kQtOptionsWithValue.contains(option)) {
      if (!argument.contains(QLatin1Char('='))) ++i;
      continue;
    }
    if (kQtFlags.contains(option)) continue;
    return {CommandLineAnswer::Action::Refuse,
            QStringLiteral("velmora: unknown option '%1' (try 'velmora --help')\n").arg(argument), 2};
  }
  run.searchKey = words.join(QLatin1Char(' ')).trimmed();
  return run;
}

}  // namespace velmora
