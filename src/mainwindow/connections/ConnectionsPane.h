#pragma once
// What ties the idiom on display to others: the related idioms in the
// detail pane (the header's cmdRelated) and the idiom chain game (cmdChain,
// Ctrl+J). It listens to the shown idiom; a choice goes out as idiomChosen.
#include <QObject>
#include <functional>

#include "mainwindow/MainWindowControls.h"
#include "reading/Reader.h"

namespace velmora {

class ChainDialog;
class IdiomSearch;
class RelatedLoader;
class UserStore;

class ConnectionsPane : public QObject {
  Q_OBJECT
 public:
  ConnectionsPane(const DetailControls &controls, Reader &reader, IdiomSearch &search, QWidget *window);
  // Where the best chain is kept; none keeps nothing.
  void SetStore(UserStore *store) { store_ = store; }

 signals:
  void idiomChosen(const QString &idiom);
  // The related idioms take the place of what else lies over the detail.
  void relatedShown();

 private:
  void OpenChain();
  void ShowRelated(bool shown);
  void FillRelated();
  // "huà lóng diǎn jīng — to add the finishing touch": an idiom on one line.
  static QString LineOf(const QString &idiom);
  int ReadBest() const;
  void WriteBest(int length);
  int ReadDailyBest(const QString &day) const;
  void WriteDailyBest(const QString &day, int length);

  const DetailControls &c_;
  Reader &reader_;
  QWidget *window_;
  RelatedLoader *related_;
  IdiomSearch &search_;
  ChainDialog *chain_ = nullptr;
  UserStore *store_ = nullptr;
};

}  // namespace velmora
