#pragma once
// The program's command line: --help and --version answer on the terminal
// without a window; Qt's own options (-style, -platform, ...) pass through
// to Qt; --selection looks up the selected text; words that are no option
// are a search key; any other option is refused.
#include <QString>
#include <QStringList>

namespace velmora {

struct CommandLineAnswer {
  enum class Action { Run, Print, Refuse } action = Action::Run;
  QString text;  // printed (to stdout for Print, stderr for Refuse)
  int exitStatus = 0;
  QString searchKey;       // the words that are no option, joined by blanks
  bool selection = false;  // --selection
  // --gapplication-service: started by the session bus for the desktop's
  // search; no window until one is asked for, and an end after a quiet minute.
  bool service = false;
  // --print-selection or --print-clipboard: the text printed, no window
  enum class Print { None, Selection, Clipboard } print = Print::None;
};

CommandLineAnswer ReadCommandLine(const QStringList &arguments, const QString &version);

}  // namespace velmora
