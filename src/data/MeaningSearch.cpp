#include "MeaningSearch.h"

#include <sqlite3.h>

#include <QLoggingCategory>
#include <QStringList>

#include "Conn.h"
#include "Queries.h"

namespace velmora {

namespace {

const QString kMeaningQuery =
    QStringLiteral("SELECT rowid AS Code FROM VelmoraText WHERE VelmoraText MATCH ? ORDER BY rowid LIMIT ?");

Q_LOGGING_CATEGORY(lcMeaning, "velmora.meaning")

bool IsHan(char32_t c) { return QChar::script(c) == QChar::Script_Han; }

}  // namespace

QString FullTextBody(const QString &text) {
  QString body;
  body.reserve(text.size() * 3);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
    const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
    const bool han = IsHan(c);
    if (han) body += QLatin1Char(' ');
    body += text[i];
    if (pair) body += text[++i];
    if (han) body += QLatin1Char(' ');
  }
  return body;
}

QStringList MeaningQueries(const QString &key) {
  // Words only: whatever else the key holds would be the query language's.
  QStringList words;
  QString word;
  const QString body = FullTextBody(key.left(kLongestMeaningKey).normalized(QString::NormalizationForm_KC));
  for (const QChar c : body) {
    if (c.isLetterOrNumber() || c.isSurrogate()) {
      word += c;
    } else if (!word.isEmpty()) {
      words << word;
      word.clear();
    }
  }
  if (!word.isEmpty()) words << word;
  if (words.isEmpty()) return {};
  // Each word quoted: OR, AND, NEAR and NOT in the key are words to find,
  // not operators.
  QStringList terms;
  for (const QString &each : words) terms << QLatin1Char('"') + each + QLatin1Char('"');
  return {QLatin1Char('"') + words.join(QLatin1Char(' ')) + QLatin1Char('"'), terms.join(QLatin1Char(' '))};
}

std::vector<int> RowsMatchingMeaning(const QString &key, int limit) {
  std::vector<int> rows;
  const auto connection = DictionaryConnection();
  if (!connection || !connection->HasTable(QStringLiteral("VelmoraText"))) return rows;
  std::vector<bool> seen;
  for (const QString &match : MeaningQueries(key)) {
    RecordSet found;
    if (const int code = connection->Fetch(kMeaningQuery, {match, static_cast<long long>(limit)}, &found); code != 0) {
      qCWarning(lcMeaning) << "meaning search failed for" << match << ":" << sqlite3_errstr(code);
      continue;
    }
    for (; !found.EOF_(); found.MoveNext()) {
      const long long row = found.Text(QStringLiteral("Code")).toLongLong() - 1;
      if (row < 0) continue;
      if (seen.size() <= static_cast<size_t>(row)) seen.resize(static_cast<size_t>(row) + 1, false);
      if (seen[static_cast<size_t>(row)]) continue;
      seen[static_cast<size_t>(row)] = true;
      rows.push_back(static_cast<int>(row));
    }
    if (static_cast<int>(rows.size()) >= limit) break;
  }
  if (static_cast<int>(rows.size()) > limit) rows.resize(static_cast<size_t>(limit));
  return rows;
}

}  // namespace velmora
