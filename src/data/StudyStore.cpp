#include "StudyStore.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>

#include "SqlConnection.h"
#include "UserStore.h"

namespace velmora {

namespace {

const QString kCardColumns = QStringLiteral(
    "Card, Simplified, Traditional, Origin, State, Step, Stability, Difficulty, Due, LastReview, Lapses, Reps, "
    "Suspended");

// Reals travel as text: the engine stores them as REAL by the column's type.
QString Real(double value) { return QString::number(value, 'g', 17); }
long long Int(const RecordSet &rows, const char *name) { return rows.Text(QLatin1String(name)).toLongLong(); }
double Double(const RecordSet &rows, const char *name) { return rows.Text(QLatin1String(name)).toDouble(); }

int CountOf(const SqlConnection *db, const QString &query, const std::vector<SqlValue> &values) {
  RecordSet rows;
  if (!db || db->Fetch(query, values, &rows) != SQLITE_OK) return 0;
  return rows.Text(QStringLiteral("N")).toInt();
}

// A CSV field: quoted when it holds a separator, a quote or a line break. A
// text that a spreadsheet would take for a formula (=, +, -, @, a tab or a
// carriage return first) starts with "'", which it shows as text; numbers
// stay numbers.
QByteArray CsvField(const QString &text) {
  bool number = false;
  text.toDouble(&number);
  static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
  QByteArray utf8 =
      (!number && !text.isEmpty() && kFormulaStarts.contains(text.front()) ? QStringLiteral("'") : QString()).toUtf8() +
      text.toUtf8();
  if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r')) return utf8;
  return '"' + utf8.replace("\"", "\"\"") + '"';
}

}  // namespace

StudyStore::StudyStore(UserStore &store, bool traditionalEdition) : store_(store), traditional_(traditionalEdition) {}

const SqlConnection *StudyStore::Db() const { return store_.Connection(); }

bool StudyStore::IsAvailable() const { return Db() != nullptr; }

StudyCard StudyStore::FormsOf(const QString &idiom) const {
  QString other = store_.OtherForm(idiom);
  if (other.isEmpty()) other = idiom;
  StudyCard card;
  card.simplified = traditional_ ? other : idiom;
  card.traditional = traditional_ ? idiom : other;
  card.key = card.simplified;
  return card;
}

QString StudyStore::ShownForm(const StudyCard &card) const { return traditional_ ? card.traditional : card.simplified; }

StudyCard StudyStore::CardFrom(const RecordSet &rows) const {
  StudyCard card;
  card.key = rows.Text(QStringLiteral("Card"));
  card.simplified = rows.Text(QStringLiteral("Simplified"));
  card.traditional = rows.Text(QStringLiteral("Traditional"));
  card.origin = rows.Text(QStringLiteral("Origin"));
  card.memory.state = static_cast<CardState>(Int(rows, "State"));
  card.memory.step = static_cast<int>(Int(rows, "Step"));
  card.memory.stability = Double(rows, "Stability");
  card.memory.difficulty = Double(rows, "Difficulty");
  card.memory.due = Int(rows, "Due");
  card.memory.lastReview = Int(rows, "LastReview");
  card.memory.lapses = static_cast<int>(Int(rows, "Lapses"));
  card.memory.reps = static_cast<int>(Int(rows, "Reps"));
  card.suspended = Int(rows, "Suspended") != 0;
  return card;
}

std::optional<StudyCard> StudyStore::FirstCard(const QString &where, const std::vector<SqlValue> &values) const {
  RecordSet rows;
  if (!Db() ||
      Db()->Fetch(QStringLiteral("SELECT %1 FROM Cards WHERE %2 LIMIT 1").arg(kCardColumns, where), values, &rows) !=
          SQLITE_OK ||
      rows.EOF_())
    return std::nullopt;
  StudyCard card = CardFrom(rows);
  if (!IsPlausible(card.memory)) {
    // Out of range or not a number: the card starts again as a new one,
    // kept so, so that its next grade finds the memory it was given.
    qWarning("velmora: the study card %s held values out of range; it starts again", qUtf8Printable(card.key));
    card.memory = CardMemory{};
    Db()->Run(QStringLiteral("UPDATE Cards SET State = 0, Step = 0, Stability = 0, Difficulty = 0, Due = 0, "
                             "LastReview = 0, Lapses = 0, Reps = 0 WHERE Card = ?1"),
              {card.key});
  }
  return card;
}

bool StudyStore::AddCards(const std::vector<QString> &idioms, const QString &origin, int64_t now) {
  if (!Db()) return false;
  SqlConnection::Steps steps;
  for (const QString &idiom : idioms) {
    if (idiom.isEmpty()) continue;
    const StudyCard forms = FormsOf(idiom);
    steps.push_back({QStringLiteral("INSERT OR IGNORE INTO Cards (Card, Simplified, Traditional, Origin, Added, State, "
                                    "Step, Stability, Difficulty, Due, LastReview, Lapses, Reps, Suspended) "
                                    "VALUES (?1, ?2, ?3, ?4, ?5, 0, 0, 0, 0, ?5, 0, 0, 0, 0)"),
                     {forms.key, forms.simplified, forms.traditional, origin, static_cast<long long>(now)}});
  }
  return steps.empty() || Db()->RunInTransaction(steps);
}

bool StudyStore::FollowFavourites(const std::vector<QString> &favourites, int64_t now) {
  if (!Db()) return false;
  SqlConnection::Steps steps = {{QStringLiteral("UPDATE Cards SET Suspended = 1 WHERE Origin = ?1"), {kFavourite}}};
  for (const QString &idiom : favourites) {
    const StudyCard forms = FormsOf(idiom);
    // A card of another origin becomes a favourite's: it is studied always.
    steps.push_back({QStringLiteral("INSERT OR IGNORE INTO Cards (Card, Simplified, Traditional, Origin, Added, State, "
                                    "Step, Stability, Difficulty, Due, LastReview, Lapses, Reps, Suspended) "
                                    "VALUES (?1, ?2, ?3, ?4, ?5, 0, 0, 0, 0, ?5, 0, 0, 0, 0)"),
                     {forms.key, forms.simplified, forms.traditional, kFavourite, static_cast<long long>(now)}});
    steps.push_back(
        {QStringLiteral("UPDATE Cards SET Origin = ?2, Suspended = 0 WHERE Card = ?1"), {forms.key, kFavourite}});
  }
  return Db()->RunInTransaction(steps);
}

bool StudyStore::SetWaitingSuspended(const QString &origin, bool suspended) {
  return Db() &&
         Db()->RunInTransaction({{QStringLiteral("UPDATE Cards SET Suspended = ?2 WHERE Origin = ?1 AND State = 0"),
                                  {origin, static_cast<long long>(suspended)}}});
}

bool StudyStore::HasCard(const QString &idiom) const { return CardOf(idiom).has_value(); }

std::optional<StudyCard> StudyStore::CardOf(const QString &idiom) const {
  return FirstCard(QStringLiteral("Card = ?1"), {FormsOf(idiom).key});
}

namespace {

const QString kDayStartHour = QStringLiteral("dayStartHour");
// Cards in review are due by the day; the others by the minute.
const QString kDueNow = QStringLiteral("Suspended = 0 AND ((State = %1 AND Due < ?1) OR (State <> %1 AND Due <= ?2))")
                            .arg(static_cast<int>(CardState::Review));

}  // namespace

int StudyStore::DayStartHour() const {
  bool ok = false;
  const int hour = Setting(kDayStartHour, QString::number(kDefaultDayStartHour)).toInt(&ok);
  return ok && hour >= 0 && hour <= 23 ? hour : kDefaultDayStartHour;
}

bool StudyStore::SetDayStartHour(int hour) {
  return SetSetting(kDayStartHour, QString::number(std::clamp(hour, 0, 23)));
}

std::optional<StudyCard> StudyStore::NextDue(int64_t now, int64_t learnAhead) const {
  return FirstCard(
      kDueNow + QStringLiteral(" ORDER BY Due, Card"),
      {static_cast<long long>(DayStart(now, 1, DayStartHour())), static_cast<long long>(now + learnAhead)});
}

int StudyStore::DueCount(int64_t now, int64_t learnAhead) const {
  return CountOf(Db(), QStringLiteral("SELECT COUNT(*) AS N FROM Cards WHERE ") + kDueNow,
                 {static_cast<long long>(DayStart(now, 1, DayStartHour())), static_cast<long long>(now + learnAhead)});
}

std::optional<int64_t> StudyStore::NextDueTime() const {
  const auto earliest = [this](const QString &which) -> std::optional<int64_t> {
    RecordSet rows;
    if (!Db() ||
        Db()->Fetch(QStringLiteral("SELECT MIN(Due) AS Due FROM Cards WHERE Suspended = 0 AND ") + which, {}, &rows) !=
            SQLITE_OK ||
        rows.Text(QStringLiteral("Due")).isEmpty())
      return std::nullopt;
    return Int(rows, "Due");
  };
  const QString review = QString::number(static_cast<int>(CardState::Review));
  std::optional<int64_t> next = earliest(QStringLiteral("State <> ") + review);
  if (const auto day = earliest(QStringLiteral("State = ") + review)) {
    const int64_t from = DayStart(*day, 0, DayStartHour());
    next = next ? std::min(*next, from) : from;
  }
  return next;
}

int StudyStore::NewCardsStudiedSince(int64_t since) const {
  return CountOf(Db(),
                 QStringLiteral("SELECT COUNT(*) AS N FROM ReviewLog JOIN Cards USING (Card) WHERE StateBefore = 0 "
                                "AND Time >= ?1 AND Origin <> ?2"),
                 {static_cast<long long>(since), kFavourite});
}

int StudyStore::WaitingNewCards() const {
  return CountOf(Db(),
                 QStringLiteral("SELECT COUNT(*) AS N FROM Cards WHERE State = 0 AND Suspended = 0 AND Origin <> ?1"),
                 {kFavourite});
}

StudyStore::Recorded StudyStore::Record(const StudyCard &card, const ScheduledReview &review, const StudyAnswer &answer,
                                        int64_t *logId) {
  if (!Db()) return Recorded::NotKept;
  const SqlConnection &db = *Db();
  const CardMemory &before = card.memory, &after = review.after;
  if (!db.Execute(QStringLiteral("BEGIN IMMEDIATE"))) return Recorded::NotKept;
  const bool updated =
      db.Run(QStringLiteral("UPDATE Cards SET State = ?2, Step = ?3, Stability = ?4, Difficulty = ?5, Due = ?6, "
                            "LastReview = ?7, Lapses = ?8, Reps = ?9 WHERE Card = ?1 AND State = ?10 AND Step = ?11 "
                            "AND Due = ?12 AND LastReview = ?13 AND Lapses = ?14 AND Reps = ?15"),
             {card.key, static_cast<long long>(after.state), static_cast<long long>(after.step), Real(after.stability),
              Real(after.difficulty), static_cast<long long>(after.due), static_cast<long long>(after.lastReview),
              static_cast<long long>(after.lapses), static_cast<long long>(after.reps),
              static_cast<long long>(before.state), static_cast<long long>(before.step),
              static_cast<long long>(before.due), static_cast<long long>(before.lastReview),
              static_cast<long long>(before.lapses), static_cast<long long>(before.reps)}) == SQLITE_OK;
  const bool changed = updated && sqlite3_changes(db.handle()) == 1;
  const bool logged =
      changed &&
      db.Run(QStringLiteral("INSERT INTO ReviewLog (Card, Time, Grade, Kind, ElapsedDays, ScheduledDays, StateBefore, "
                            "StepBefore, StabilityBefore, DifficultyBefore, DueBefore, LastReviewBefore, LapsesBefore, "
                            "RepsBefore, StateAfter, StabilityAfter, DifficultyAfter, DueAfter) VALUES "
                            "(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18)"),
             {card.key, static_cast<long long>(answer.time), static_cast<long long>(answer.grade), answer.kind,
              Real(review.elapsedDays), Real(review.scheduledDays), static_cast<long long>(before.state),
              static_cast<long long>(before.step), Real(before.stability), Real(before.difficulty),
              static_cast<long long>(before.due), static_cast<long long>(before.lastReview),
              static_cast<long long>(before.lapses), static_cast<long long>(before.reps),
              static_cast<long long>(after.state), Real(after.stability), Real(after.difficulty),
              static_cast<long long>(after.due)}) == SQLITE_OK;
  const int64_t id = sqlite3_last_insert_rowid(db.handle());
  if (!logged || !db.Execute(QStringLiteral("COMMIT"))) {
    db.Execute(QStringLiteral("ROLLBACK"));
    return updated && !changed ? Recorded::ChangedElsewhere : Recorded::NotKept;
  }
  if (logId) *logId = id;
  return Recorded::Kept;
}

std::optional<QString> StudyStore::Undo(int64_t logId) {
  RecordSet grade;
  if (!Db() ||
      Db()->Fetch(QStringLiteral("SELECT * FROM ReviewLog WHERE Id = ?1"), {static_cast<long long>(logId)}, &grade) !=
          SQLITE_OK ||
      grade.EOF_())
    return std::nullopt;
  const QString key = grade.Text(QStringLiteral("Card"));
  const SqlConnection &db = *Db();
  if (!db.Execute(QStringLiteral("BEGIN IMMEDIATE"))) return std::nullopt;
  const bool restored =
      db.Run(QStringLiteral("UPDATE Cards SET State = ?2, Step = ?3, Stability = ?4, Difficulty = ?5, Due = ?6, "
                            "LastReview = ?7, Lapses = ?8, Reps = ?9 WHERE Card = ?1 AND State = ?10 AND Due = ?11"),
             {key, Int(grade, "StateBefore"), Int(grade, "StepBefore"), grade.Text(QStringLiteral("StabilityBefore")),
              grade.Text(QStringLiteral("DifficultyBefore")), Int(grade, "DueBefore"), Int(grade, "LastReviewBefore"),
              Int(grade, "LapsesBefore"), Int(grade, "RepsBefore"), Int(grade, "StateAfter"),
              Int(grade, "DueAfter")}) == SQLITE_OK &&
      sqlite3_changes(db.handle()) == 1 &&
      db.Run(QStringLiteral("DELETE FROM ReviewLog WHERE Id = ?1"), {static_cast<long long>(logId)}) == SQLITE_OK;
  if (!restored || !db.Execute(QStringLiteral("COMMIT"))) {
    db.Execute(QStringLiteral("ROLLBACK"));
    return std::nullopt;
  }
  return key;
}

int StudyStore::LogSize() const { return CountOf(Db(), QStringLiteral("SELECT COUNT(*) AS N FROM ReviewLog"), {}); }

namespace {

std::vector<int> ReviewsPerDayIn(const SqlConnection *db, const std::vector<int64_t> &dayStarts) {
  std::vector<int> counts;
  for (size_t i = 0; i + 1 < dayStarts.size(); ++i)
    counts.push_back(CountOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM ReviewLog WHERE Time >= ?1 AND Time < ?2"),
                             {static_cast<long long>(dayStarts[i]), static_cast<long long>(dayStarts[i + 1])}));
  return counts;
}

std::vector<int> DueForecastIn(const SqlConnection *db, const std::vector<int64_t> &dayStarts) {
  std::vector<int> counts;
  for (size_t i = 0; i + 1 < dayStarts.size(); ++i)
    counts.push_back(
        CountOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM Cards WHERE Suspended = 0 AND Due >= ?1 AND Due < ?2"),
                {static_cast<long long>(i == 0 ? 0 : dayStarts[i]), static_cast<long long>(dayStarts[i + 1])}));
  return counts;
}

// Each card's first review is found once (GROUP BY over the card's index),
// not once for every review row.
std::optional<double> MatureRetentionIn(const SqlConnection *db) {
  RecordSet rows;
  const QString query = QStringLiteral(
      "SELECT COUNT(*) AS N, SUM(R.Grade > 1) AS Recalled FROM ReviewLog AS R "
      "JOIN (SELECT Card, MIN(Time) AS First FROM ReviewLog GROUP BY Card) AS F ON F.Card = R.Card "
      "WHERE R.StateBefore = 2 AND R.Time >= F.First + 7 * 86400");
  if (!db || db->Fetch(query, {}, &rows) != SQLITE_OK) return std::nullopt;
  const double reviews = Double(rows, "N");
  if (reviews <= 0) return std::nullopt;
  return Double(rows, "Recalled") / reviews;
}

}  // namespace

std::vector<int> StudyStore::ReviewsPerDay(const std::vector<int64_t> &dayStarts) const {
  return ReviewsPerDayIn(Db(), dayStarts);
}

std::vector<int> StudyStore::DueForecast(const std::vector<int64_t> &dayStarts) const {
  return DueForecastIn(Db(), dayStarts);
}

std::optional<double> StudyStore::MatureRetention() const { return MatureRetentionIn(Db()); }

StudyStore::Figures StudyStore::ReadFigures(const QString &storePath, const std::vector<int64_t> &pastDays,
                                            const std::vector<int64_t> &comingDays) {
  QString error;
  if (!QFileInfo(storePath).isFile()) return {};  // a reader makes no store
  const auto db = SqlConnection::OpenPlain(storePath, 5000, &error);
  if (!db) return {};
  db->Execute(QStringLiteral("BEGIN"));  // one snapshot for all three
  Figures figures{ReviewsPerDayIn(db.get(), pastDays), DueForecastIn(db.get(), comingDays),
                  MatureRetentionIn(db.get())};
  db->Execute(QStringLiteral("COMMIT"));
  return figures;
}

QByteArray StudyStore::ReviewLogCsv() const {
  static const QStringList kColumns = {QStringLiteral("Card"),
                                       QStringLiteral("Simplified"),
                                       QStringLiteral("Traditional"),
                                       QStringLiteral("Time"),
                                       QStringLiteral("Grade"),
                                       QStringLiteral("Kind"),
                                       QStringLiteral("ElapsedDays"),
                                       QStringLiteral("ScheduledDays"),
                                       QStringLiteral("StateBefore"),
                                       QStringLiteral("StabilityBefore"),
                                       QStringLiteral("DifficultyBefore"),
                                       QStringLiteral("StateAfter"),
                                       QStringLiteral("StabilityAfter"),
                                       QStringLiteral("DifficultyAfter"),
                                       QStringLiteral("DueAfter")};
  QByteArray csv = kColumns.join(QLatin1Char(',')).toUtf8() + "\r\n";
  RecordSet rows;
  if (!Db() || Db()->Fetch(QStringLiteral("SELECT R.*, Simplified, Traditional FROM ReviewLog AS R LEFT JOIN Cards "
                                          "USING (Card) ORDER BY R.Id"),
                           {}, &rows) != SQLITE_OK)
    return csv;
  for (; !rows.EOF_(); rows.MoveNext()) {
    QList<QByteArray> fields;
    for (const QString &column : kColumns) {
      QString value = rows.Text(column);
      // Times as ISO 8601 in UTC: what a spreadsheet or a script reads.
      if (column == QLatin1String("Time") || column == QLatin1String("DueAfter"))
        value = QDateTime::fromSecsSinceEpoch(value.toLongLong(), Qt::UTC).toString(Qt::ISODate);
      fields.push_back(CsvField(value));
    }
    csv += fields.join(',') + "\r\n";
  }
  return csv;
}

QString StudyStore::Setting(const QString &name, const QString &fallback) const {
  RecordSet rows;
  if (!Db() ||
      Db()->Fetch(QStringLiteral("SELECT Value FROM StudySettings WHERE Name = ?1"), {name}, &rows) != SQLITE_OK ||
      rows.EOF_())
    return fallback;
  return rows.Text(QStringLiteral("Value"));
}

bool StudyStore::SetSetting(const QString &name, const QString &value) {
  return Db() &&
         Db()->RunInTransaction(
             {{QStringLiteral("INSERT OR REPLACE INTO StudySettings (Name, Value) VALUES (?1, ?2)"), {name, value}}});
}

}  // namespace velmora
