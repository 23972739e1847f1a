#include "mainwindow/connections/RelatedLoader.h"

#include <QtConcurrent/QtConcurrentRun>

#include "config/ProgramValues.h"
#include "dictionary/FinderSource.h"

namespace velmora {

RelatedLoader::RelatedLoader(QObject *parent) : QObject(parent) {
  connect(&loading_, &QFutureWatcher<RelatedIndex>::finished, this, [this] {
    index_ = loading_.future().resultCount() > 0 ? loading_.future().takeResult() : RelatedIndex();
    emit ready();
  });
}

// A loading still under way is waited for. One whose result was taken is
// no longer valid, and waiting for it would never end.
RelatedLoader::~RelatedLoader() {
  if (loading_.future().isValid()) loading_.waitForFinished();
}

void RelatedLoader::Need() {
  if (index_ || loading_.isRunning()) return;
  loading_.setFuture(QtConcurrent::run(RelatedSource(ConnString())));
}

}  // namespace velmora
