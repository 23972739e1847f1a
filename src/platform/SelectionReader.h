#pragma once
// The selected text (or the clipboard's), read by a process of its own,
// given a second: the owner of a selection may never answer, and Qt waits
// for it on the thread that asks, the window's, for up to half a minute.
#include <QObject>
#include <QString>
#include <functional>

class QProcess;

namespace velmora {

class SelectionReader : public QObject {
  Q_OBJECT
 public:
  enum class Source { Selection, Clipboard };
  static constexpr int kWaitMilliseconds = 1000;
  explicit SelectionReader(QObject *parent = nullptr) : QObject(parent) {}
  // The program reads through a process of itself; elsewhere (tests, with
  // an in-process clipboard) the text is read here, after the call.
  static void UseHelperProcess(bool use);
  // Calls done with the text (empty when nothing came in time) from the
  // window's event loop; a read asked while one runs replaces it.
  void Read(Source source, std::function<void(const QString &)> done);

 private:
  QProcess *reading_ = nullptr;
};

// The text as the reading process prints it: the primary selection where
// there is one and it holds text, else the clipboard's (or the clipboard's
// only). Blocks for as long as the owner takes.
QString SelectedText(SelectionReader::Source source);

}  // namespace velmora
