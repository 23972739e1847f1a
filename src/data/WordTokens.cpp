#include "WordTokens.h"

#include <sqlite3.h>

#include <QLoggingCategory>
#include <cstring>

namespace velmora {

namespace {

Q_LOGGING_CATEGORY(lcTokens, "velmora.tokens")

// The tokenizer interface of SQLite's full-text search, as its
// documentation gives it for tokenizers of one's own (fts3_tokenizer.h,
// which the engine's packages do not install).
struct TokenizerModule;
struct Tokenizer {
  const TokenizerModule *module;
};
struct TokenizerCursor {
  Tokenizer *tokenizer;
};
struct TokenizerModule {
  int version;
  int (*create)(int argc, const char *const *argv, Tokenizer **tokenizer);
  int (*destroy)(Tokenizer *tokenizer);
  int (*open)(Tokenizer *tokenizer, const char *input, int bytes, TokenizerCursor **cursor);
  int (*close)(TokenizerCursor *cursor);
  int (*next)(TokenizerCursor *cursor, const char **token, int *bytes, int *start, int *end, int *position);
};

// The name is bound, not written in the query: builds without
// SQLITE_ENABLE_FTS3_TOKENIZER answer fts3_tokenizer() only for a bound
// name, and that is all this needs (no tokenizer is registered).
const TokenizerModule *Unicode61(const SqlConnection &connection) {
  sqlite3_stmt *statement = nullptr;
  const TokenizerModule *module = nullptr;
  if (sqlite3_prepare_v2(connection.handle(), "SELECT fts3_tokenizer(?1)", -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_bind_text(statement, 1, "unicode61", -1, SQLITE_STATIC) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_bytes(statement, 0) == sizeof module)
    std::memcpy(&module, sqlite3_column_blob(statement, 0), sizeof module);
  sqlite3_finalize(statement);
  if (module == nullptr)
    qCWarning(lcTokens) << "the engine gives no unicode61 tokenizer: meaning search finds nothing:"
                        << sqlite3_errmsg(connection.handle());
  return module;
}

}  // namespace

struct WordTokenizer::Engine {
  const TokenizerModule *module;
  Tokenizer *tokenizer;
};

WordTokenizer::WordTokenizer(std::unique_ptr<Engine> engine) : engine_(std::move(engine)) {}

std::unique_ptr<WordTokenizer> WordTokenizer::On(const SqlConnection &connection) {
  const TokenizerModule *module = Unicode61(connection);
  Tokenizer *tokenizer = nullptr;
  // Made with no arguments, as a table declared "tokenize=unicode61" makes it.
  if (module == nullptr || module->create(0, nullptr, &tokenizer) != SQLITE_OK || tokenizer == nullptr) return nullptr;
  tokenizer->module = module;
  return std::unique_ptr<WordTokenizer>(new WordTokenizer(std::make_unique<Engine>(Engine{module, tokenizer})));
}

WordTokenizer::~WordTokenizer() { engine_->module->destroy(engine_->tokenizer); }

std::vector<WordToken> WordTokenizer::Tokens(const QString &text) const {
  std::vector<WordToken> tokens;
  ForEachToken(text, [&tokens](std::string_view word, int position) {
    tokens.push_back({std::string(word), position});
  });
  return tokens;
}

void WordTokenizer::ForEachToken(const QString &text,
                                 const std::function<void(std::string_view word, int position)> &take) const {
  const QByteArray utf8 = text.toUtf8();
  TokenizerCursor *cursor = nullptr;
  if (engine_->module->open(engine_->tokenizer, utf8.constData(), static_cast<int>(utf8.size()), &cursor) != SQLITE_OK)
    return;
  cursor->tokenizer = engine_->tokenizer;
  const char *token = nullptr;
  int bytes = 0, start = 0, end = 0, position = 0;
  while (engine_->module->next(cursor, &token, &bytes, &start, &end, &position) == SQLITE_OK)
    take(std::string_view(token, static_cast<size_t>(bytes)), position);
  engine_->module->close(cursor);
}

}  // namespace velmora
