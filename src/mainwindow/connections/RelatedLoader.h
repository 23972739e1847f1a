#pragma once
// The edition's index of related idioms, loaded on a worker the first time a
// pane needs it (read from the edition, or built from its rows), so that
// neither the start nor its memory pays for it before then.
#include <QFutureWatcher>
#include <QObject>
#include <optional>

#include "dictionary/RelatedIndex.h"

namespace velmora {

class RelatedLoader : public QObject {
  Q_OBJECT
 public:
  explicit RelatedLoader(QObject *parent = nullptr);
  ~RelatedLoader() override;
  // Starts loading when it has not started yet.
  void Need();
  // Null until loaded.
  const RelatedIndex *Index() const { return index_ ? &*index_ : nullptr; }

 signals:
  void ready();

 private:
  QFutureWatcher<RelatedIndex> loading_;
  std::optional<RelatedIndex> index_;
};

}  // namespace velmora
