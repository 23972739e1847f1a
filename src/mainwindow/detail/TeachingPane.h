#pragma once
// The entry as a learner reads it, over the detail pane's boxes: the idiom
// with its reading as ruby, the literal and figurative senses on lines of
// their own (字面 / 比喻 in the Chinese interfaces), and the idiom written
// out and highlighted where an example has "～"; where another source reads
// the idiom otherwise, that reading on a line of its own above the senses
// (另一读音 / other reading). The combined text is built
// from the record, not from these boxes, and stays as it was.
#include <QObject>

#include "mainwindow/MainWindowControls.h"
#include "reading/Reader.h"

namespace velmora {

class IdiomSearch;
class RubyView;

class TeachingPane : public QObject {
  Q_OBJECT
 public:
  // Made after the detail pane, so that it reads each shown idiom after it.
  TeachingPane(const DetailControls &controls, Reader &reader, IdiomSearch &search, QObject *parent);

 signals:
  // A character of the idiom's ruby was clicked: its index in the idiom.
  void characterChosen(int index);

 private:
  void Show(const IdiomRecord &record);
  const DetailControls &c_;
  IdiomSearch &search_;
  RubyView *ruby_;
};

}  // namespace velmora
