#pragma once
// The index view: the idioms filed under the initial letters of their
// pinyin, each letter with its count, built whole the first time it shows.
// A click on an idiom shows it.
#include <QObject>

#include "mainwindow/browse/NodeTree.h"
#include "reading/Reader.h"

namespace velmora {

class IndexView : public QObject {
  Q_OBJECT
 public:
  IndexView(NodeTree *tree, Reader &reader, QObject *parent);
  void LoadOnce();
  bool Loaded() const { return loaded_; }

 private:
  void Load();
  void trvIdiomDir_NodeClick();

  NodeTree *tree_;
  Reader &reader_;
  bool loaded_ = false;
};

}  // namespace velmora
