#pragma once
// The idioms related to the one on display, in the detail pane's place for
// the combined text, under a header that keeps the idiom on display in
// sight (the idiom; its reading and the first line of its meaning): the
// sources' 近义词 and 反义词 first (those in the edition may be chosen),
// then idioms of the same meaning, sharing characters, and those that may
// follow it in a chain, each with its reading and the start of its
// meaning. A long section shows its first (most common) idioms and "more…".
// Choosing one (click, Enter) shows it as choosing its row does.
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
  // An idiom as a line tells it: its reading and the start of its meaning.
  using Describe = std::function<QString(const QString &idiom)>;
  void Fill(const QString &shown, const RelatedIdioms &related, const RelatedTerms &terms,
            const std::function<bool(const QString &)> &inEdition, const Describe &describe);
  // The most a section shows before "more…".
  static constexpr int kShown = 8;

 signals:
  void idiomChosen(const QString &idiom);

 private:
  // The sources' terms (onlyInEdition) may be chosen only when the edition holds them.
  void AddSection(const char *key, const char *builtIn, const QStringList &idioms, bool onlyInEdition);
  void AddIdiom(QTreeWidgetItem *section, const QString &idiom, bool choosable, const Describe &describe);
  // "more…" chosen: the rest of its section.
  void ShowMore(QTreeWidgetItem *more);
  void Choose(QTreeWidgetItem *item);

  std::function<bool(const QString &)> inEdition_;
  Describe describe_;
};

}  // namespace velmora
