#include "StudySession.h"

#include <set>

#include <algorithm>

namespace velmora {

namespace {

const QString kFromHistory = QStringLiteral("fromHistory"), kHistoryDays = QStringLiteral("historyDays"),
              kFromEdition = QStringLiteral("fromEdition"), kNewPerDay = QStringLiteral("newPerDay"),
              kRetention = QStringLiteral("retention"), kKind = QStringLiteral("kind");

}  // namespace

StudySettings StudySettings::Read(const StudyStore &store) {
  StudySettings s;
  s.fromHistory = store.Setting(kFromHistory, QStringLiteral("0")) == QLatin1String("1");
  s.historyDays = std::clamp(store.Setting(kHistoryDays, QStringLiteral("7")).toInt(), 1, 365);
  s.fromEdition = store.Setting(kFromEdition, QStringLiteral("0")) == QLatin1String("1");
  s.newPerDay = std::clamp(store.Setting(kNewPerDay, QStringLiteral("10")).toInt(), 0, 500);
  bool ok = false;
  const double retention = store.Setting(kRetention, QString()).toDouble(&ok);
  s.retention = ok ? std::clamp(retention, FsrsScheduler::kLeastRetention, FsrsScheduler::kMostRetention)
                   : FsrsScheduler::kDefaultRetention;
  s.kind = QuestionKindNamed(store.Setting(kKind, QString()));
  s.dayStartHour = store.DayStartHour();
  return s;
}

bool StudySettings::Write(StudyStore &store) const {
  return store.SetSetting(kFromHistory, fromHistory ? QStringLiteral("1") : QStringLiteral("0")) &&
         store.SetSetting(kHistoryDays, QString::number(historyDays)) &&
         store.SetSetting(kFromEdition, fromEdition ? QStringLiteral("1") : QStringLiteral("0")) &&
         store.SetSetting(kNewPerDay, QString::number(newPerDay)) &&
         store.SetSetting(kRetention, QString::number(retention, 'f', 2)) &&
         store.SetSetting(kKind, kind ? QuestionKindName(*kind) : QString()) && store.SetDayStartHour(dayStartHour);
}

StudySession::StudySession(StudyStore &store, const QuestionSource &source)
    : store_(store), source_(source), random_(std::random_device{}()) {}

void StudySession::Prepare(int64_t now, const std::vector<QString> &favourites,
                           const std::vector<QString> &recentHistory, int editionSize,
                           const std::function<QString(int)> &idiomAt) {
  store_.FollowFavourites(favourites, now);
  const StudySettings settings = StudySettings::Read(store_);
  store_.SetWaitingSuspended(StudyStore::kHistory, !settings.fromHistory);
  store_.SetWaitingSuspended(StudyStore::kEdition, !settings.fromEdition);
  // New idioms other than favourites: at most the day's number.
  int room = settings.newPerDay - store_.NewCardsStudiedSince(DayStart(now, 0, store_.DayStartHour())) -
             store_.WaitingNewCards();
  const auto take = [&](const QString &idiom, const QString &origin) {
    if (room <= 0 || idiom.isEmpty() || store_.HasCard(idiom)) return;
    store_.AddCards({idiom}, origin, now);
    --room;
  };
  if (settings.fromHistory)
    for (const QString &idiom : recentHistory) take(idiom, StudyStore::kHistory);
  if (settings.fromEdition)
    for (int row = 0; row < editionSize && room > 0; ++row) take(idiomAt(row), StudyStore::kEdition);
}

int StudySession::DueToday(int64_t now) const { return store_.DueCount(now, kLearnAheadSeconds); }

StudySession::Stage StudySession::Start(int64_t now, bool canSpeak) {
  const StudySettings settings = StudySettings::Read(store_);
  scheduler_ = FsrsScheduler(settings.retention);
  kind_ = settings.kind;
  canSpeak_ = canSpeak;
  started_ = now;
  kept_.clear();
  sittingLog_.clear();
  return AskNext(now);
}

StudySession::Stage StudySession::AskNext(int64_t now) {
  auto card = store_.NextDue(now);
  if (!card) card = store_.NextDue(now, kLearnAheadSeconds);
  if (!card) return stage_ = Stage::Finished;
  Ask(*card);
  return stage_;
}

void StudySession::Ask(const StudyCard &card) {
  card_ = card;
  const QuestionKind kind = KindForCard(kind_, card.memory.reps, canSpeak_);
  question_ = BuildQuestion(kind, store_.ShownForm(card), source_, random_);
  grade_ = Grade::Good;
  right_ = false;
  chosen_ = -1;
  stage_ = Stage::Asking;
}

bool StudySession::Answer(int choice) {
  if (stage_ != Stage::Asking) return right_;
  right_ = question_.kind == QuestionKind::Flashcard || choice == question_.answer;
  chosen_ = question_.kind == QuestionKind::Flashcard ? -1 : choice;
  // A right first choice suggests Good, a wrong one Again.
  grade_ = right_ ? Grade::Good : Grade::Again;
  stage_ = Stage::Answered;
  return right_;
}

std::array<int64_t, 4> StudySession::WaitsAfterEachGrade(int64_t now) const {
  std::array<int64_t, 4> waits{};
  const auto after = scheduler_.Preview(card_.memory, now);
  for (size_t i = 0; i < waits.size(); ++i) waits[i] = after[i].after.due - now;
  return waits;
}

StudySession::Stage StudySession::GoOn(int64_t now) {
  if (stage_ == Stage::Asking) Answer(-1);
  if (stage_ != Stage::Answered) return stage_;
  const ScheduledReview review = scheduler_.Review(card_.memory, grade_, now);
  int64_t logId = 0;
  lastGrade_ = store_.Record(card_, review, {grade_, QuestionKindName(question_.kind), now}, &logId);
  if (lastGrade_ == StudyStore::Recorded::Kept) {
    kept_.emplace_back(card_.key, question_.kind == QuestionKind::Flashcard ? grade_ != Grade::Again : right_);
    sittingLog_.push_back(logId);
  }
  return AskNext(now);
}

bool StudySession::Undo() {
  // Only this sitting's grades, the newest first: never yesterday's, nor
  // another window's.
  if (sittingLog_.empty()) return false;
  const auto key = store_.Undo(sittingLog_.back());
  if (!key) return false;
  sittingLog_.pop_back();
  if (!kept_.empty()) kept_.pop_back();
  if (const auto card = store_.CardOf(*key)) Ask(*card);
  return true;
}

StudySession::Summary StudySession::Result(int64_t now) const {
  Summary summary;
  summary.reviewed = static_cast<int>(kept_.size());
  // An idiom asked again after a slip is right first time only if its first
  // answer was.
  std::set<QString> seen;
  for (const auto &[card, known] : kept_) {
    if (!seen.insert(card).second) continue;
    ++summary.idioms;
    summary.rightFirstTime += known;
  }
  summary.seconds = std::max<int64_t>(0, now - started_);
  summary.nextDue = store_.NextDueTime();
  return summary;
}

}  // namespace velmora
