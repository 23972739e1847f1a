#include "Reader.h"

#include "data/UserStore.h"

namespace velmora {

Reader::Reader(QObject *parent) : QObject(parent) {
  dwell_.setSingleShot(true);
  dwell_.setInterval(kDwellMilliseconds);
  connect(&dwell_, &QTimer::timeout, this, [this] { Keep(true); });
}

void Reader::Show(const IdiomRecord &record, Reason reason) {
  if (record.idiom != current_.idiom) {
    previous_ = current_.idiom;
    dwell_.stop();
  }
  current_ = record;
  switch (reason) {
    case Reason::Start: break;
    case Reason::Passing:
      if (!dwell_.isActive()) dwell_.start();
      break;
    case Reason::Chosen: Keep(true); break;
    case Reason::Browsed: Keep(false); break;
  }
  emit shown(current_);
}

void Reader::ShowIdiom(const QString &idiom, Reason reason) {
  IdiomRecord record = Record(idiom).value_or(IdiomRecord{});
  record.idiom = idiom;
  Show(record, reason);
}

void Reader::Keep(bool walk) {
  dwell_.stop();
  if (current_.idiom.isEmpty()) return;
  if (walk) browsed_.Visit(current_.idiom);
  if (store_ != nullptr && store_->RecordShown(current_.idiom)) emit recorded(current_.idiom);
}

std::optional<QString> Reader::Back() {
  // From an idiom passed but not kept, back is the last one kept.
  const QString kept = browsed_.Current();
  if (!kept.isEmpty() && kept != current_.idiom) return kept;
  return browsed_.Back();
}

std::optional<QString> Reader::Forward() { return browsed_.Forward(); }

bool Reader::IsFavourite() const {
  return store_ != nullptr && !current_.idiom.isEmpty() && store_->IsFavourite(current_.idiom);
}

bool Reader::SetFavourite(bool favourite) {
  return store_ != nullptr && !current_.idiom.isEmpty() && store_->SetFavourite(current_.idiom, favourite);
}

}  // namespace velmora
