#pragma once
// The Study view's place in the window: its button tells what is due, it
// follows the idiom on display, and it studies from the user's store and
// the window's search. The browse pane shows and hides the view as one of
// its views; a choice in it goes out as idiomChosen.
#include <QObject>
#include <memory>
#include <vector>

#include "reading/Reader.h"

class QTimer;
class QToolButton;

namespace velmora {

class IdiomSearch;
class StudyStore;
class StudyView;
class UserStore;

class StudyPane : public QObject {
  Q_OBJECT
 public:
  StudyPane(StudyView *view, QToolButton *button, Reader &reader, IdiomSearch &search, QObject *parent);
  ~StudyPane() override;
  // The study keeps cards in the simplified script; a traditional edition
  // shows them in its own. Without a store the view is off.
  void SetStore(UserStore *store, bool traditionalEdition);
  // Idioms the user chose to study elsewhere (a lookup, a text read): new
  // cards for those not in study yet, and the due count again.
  void StudyIdioms(const std::vector<QString> &idioms);
  // Whether the idiom has a card that is studied (not suspended).
  bool InStudy(const QString &idiom) const;

 public slots:
  // Shown, the view brings its cards up to date.
  void SetShown(bool shown);
  void Focus();
  // The view's worded texts again, after a change of the interface language.
  void ApplyLanguage();
  // Counts what is due again: a favourite was added or removed.
  void RecountDue();

 private:
  void ShowDueCount(int due);
  // Another window of the user changed the store: its count again.
  void CheckOutsideChanges();
  // At the next local midnight, what became due is counted.
  void RecountAtMidnight();

  StudyView *view_;
  QToolButton *button_;
  IdiomSearch &search_;
  UserStore *store_ = nullptr;
  std::unique_ptr<StudyStore> cards_;
  long long storeVersion_ = -1;
  QTimer *outsideChanges_, *midnight_;
};

}  // namespace velmora
