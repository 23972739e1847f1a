#pragma once
// The idioms related to the one on display, in the detail pane's place for
// the combined text: the sources' 近义词 and 反义词 first (those in the
// edition may be chosen), then idioms of the same meaning, sharing
// characters, and those that may follow it in a chain. Choosing one (click,
// Enter) shows it as choosing its row does.
#include <QTreeWidget>
#include <functional>

#include "data/IdiomStore.h"
#include "dictionary/RelatedIndex.h"

namespace velmora {

class RelatedTree : public QTreeWidget {
  Q_OBJECT
 public:
  // Created hidden (objectName "trvRelated").
  explicit RelatedTree(QWidget *parent);
  void ShowLoading();
  void Fill(const RelatedIdioms &related, const RelatedTerms &terms,
            const std::function<bool(const QString &)> &inEdition);

 signals:
  void idiomChosen(const QString &idiom);

 private:
  void AddSection(const char *key, const char *builtIn, const QStringList &idioms,
                  const std::function<bool(const QString &)> &inEdition);
};

}  // namespace velmora
