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
    // Idioms that flashed by while the user typed are not the one to go up
    // to; the idiom left is, when nothing settled on is there.
    previous_ = current_.idiom;
    for (const QString &settled : settled_)
      if (settled != record.idiom) {
        previous_ = settled;
        break;
      }
    dwell_.stop();
  }
  current_ = record;
  switch (reason) {
    case Reason::Start: Settle(); break;
    case Reason::Passing:
      if (!dwell_.isActive()) dwell_.start();
      break;
    case Reason::Chosen: Keep(true); break;
    case Reason::Browsed: Keep(false); break;
  }
  Announce();
}

void Reader::Withhold(const QString &idiom) {
  const bool wasWithheld = IsWithheld();
  withheld_ = idiom;
  if (IsWithheld() != wasWithheld) Announce();
}

void Reader::Announce() {
  if (IsWithheld())
    emit shown(IdiomRecord{});
  else
    emit shown(current_);
}

void Reader::ShowIdiom(const QString &idiom, Reason reason) {
  IdiomRecord record = Record(idiom).value_or(IdiomRecord{});
  record.idiom = idiom;
  Show(record, reason);
}

void Reader::Settle() {
  if (current_.idiom.isEmpty()) return;
  settled_.removeAll(current_.idiom);
  settled_.prepend(current_.idiom);
  // One of them differs from whatever idiom comes next.
  while (settled_.size() > 2) settled_.removeLast();
}

void Reader::Keep(bool walk) {
  dwell_.stop();
  Settle();
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
  if (store_ == nullptr || current_.idiom.isEmpty() || !store_->SetFavourite(current_.idiom, favourite)) return false;
  if (favourite) Settle();  // a starred idiom is one the user settled on
  return true;
}

}  // namespace velmora
