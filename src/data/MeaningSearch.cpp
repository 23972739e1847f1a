#include "MeaningSearch.h"

#include <sqlite3.h>

#include <QLoggingCategory>
#include <QStringList>
#include <climits>
#include <unordered_set>

#include "Conn.h"
#include "EditionFacts.h"
#include "MeaningIndex.h"
#include "Queries.h"
#include "WordTokens.h"

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

QString MeaningText(const std::optional<QString> &note, const std::optional<QString> &source,
                    const std::optional<QString> &example) {
  return FullTextBody(
      QStringList{note.value_or(QString()), source.value_or(QString()), example.value_or(QString())}.join(
          QLatin1Char('\n')));
}

QStringList MeaningWords(const QString &key) {
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
  return words;
}

QStringList MeaningQueries(const QString &key) {
  const QStringList words = MeaningWords(key);
  if (words.isEmpty()) return {};
  // Each word quoted: OR, AND, NEAR and NOT in the key are words to find,
  // not operators.
  QStringList terms;
  for (const QString &each : words) terms << QLatin1Char('"') + each + QLatin1Char('"');
  return {QLatin1Char('"') + words.join(QLatin1Char(' ')) + QLatin1Char('"'), terms.join(QLatin1Char(' '))};
}

namespace {

// The same through a full-text table, as editions of earlier builders have.
std::vector<std::vector<long long>> FoundInFullText(const SqlConnection &connection, const QString &key, int limit) {
  std::vector<std::vector<long long>> found;
  for (const QString &match : MeaningQueries(key)) {
    found.emplace_back();
    RecordSet rows;
    if (const int code = connection.Fetch(kMeaningQuery, {match, static_cast<long long>(limit)}, &rows); code != 0) {
      qCWarning(lcMeaning) << "meaning search failed for" << match << ":" << sqlite3_errstr(code);
      continue;
    }
    for (; !rows.EOF_(); rows.MoveNext()) found.back().push_back(rows.Text(QStringLiteral("Code")).toLongLong());
  }
  return found;
}

// The edition's rows, by its highest code (codes run 1..N).
size_t EditionRows(const SqlConnection &connection) {
  RecordSet rows;
  if (connection.Fetch(QStringLiteral("SELECT MAX(Code) AS N FROM VELM"), {}, &rows) != SQLITE_OK) return 0;
  return static_cast<size_t>(std::max(0LL, rows.Text(QStringLiteral("N")).toLongLong()));
}

}  // namespace

MeaningSearch::MeaningSearch(std::shared_ptr<SqlConnection> connection) : connection_(std::move(connection)) {}

MeaningSearch::~MeaningSearch() = default;

std::unique_ptr<MeaningSearch> MeaningSearch::Open(std::shared_ptr<SqlConnection> connection) {
  if (!connection) return nullptr;
  std::unique_ptr<MeaningSearch> search(new MeaningSearch(connection));
  if (auto index = MeaningIndex::Open(OpenSearchData(connection, kSearchMeaningIndex), EditionRows(*connection))) {
    search->tokenizer_ = WordTokenizer::On(*connection);
    if (search->tokenizer_) search->index_ = std::make_unique<MeaningIndex>(std::move(*index));
  } else {
    search->fullText_ = connection->HasTable(QStringLiteral("VelmoraText"));
  }
  return search;
}

// The codes each query finds, at most limit of each, in the order of
// MeaningQueries: through the edition's word index.
std::vector<std::vector<long long>> MeaningSearch::FoundInWordIndex(const QStringList &words, int limit) const {
  const auto phrase = [this](const QString &text) {
    std::vector<std::string> tokens;
    for (WordToken &token : tokenizer_->Tokens(text)) tokens.push_back(std::move(token.text));
    return tokens;
  };
  std::vector<std::vector<std::string>> each;
  for (const QString &word : words) each.push_back(phrase(word));
  const auto most = static_cast<size_t>(std::max(limit, 0));
  const std::vector<std::string> whole = phrase(words.join(QLatin1Char(' ')));
  // One word: the phrase is all its words ask for; asked twice it costs twice.
  if (each.size() == 1 && each.front() == whole) return {index_->RowsWithPhrase(whole, most)};
  return {index_->RowsWithPhrase(whole, most), index_->RowsWithEvery(each, most)};
}

std::vector<int> MeaningSearch::Rows(const QString &key, int limit) const {
  std::vector<int> rows;
  const QStringList words = MeaningWords(key);
  if (words.isEmpty()) return rows;
  std::vector<std::vector<long long>> found;
  if (index_)
    found = FoundInWordIndex(words, limit);
  else if (fullText_)
    found = FoundInFullText(*connection_, key, limit);
  // A set, not a map of every row up to the largest: a code is whatever the
  // edition says, and a damaged one may be far past the list.
  std::unordered_set<long long> seen;
  for (const std::vector<long long> &codes : found) {
    for (const long long code : codes) {
      const long long row = code - 1;
      if (row < 0 || row > INT_MAX || !seen.insert(row).second) continue;
      rows.push_back(static_cast<int>(row));
    }
    if (static_cast<int>(rows.size()) >= limit) break;
  }
  if (static_cast<int>(rows.size()) > limit) rows.resize(static_cast<size_t>(limit));
  return rows;
}

std::vector<int> RowsMatchingMeaning(const QString &key, int limit) {
  // Opened for this search and let go after it: the connection is not kept
  // open by it when the edition is closed or replaced.
  const auto search = MeaningSearch::Open(DictionaryConnection());
  return search ? search->Rows(key, limit) : std::vector<int>();
}

}  // namespace velmora
