#pragma once
// Every idiom that matches what the user types, best first: the idiom text
// (whole, its start, characters anywhere), its pinyin (tone marks, tone
// numbers or none, the last syllable cut short), its initials, and wildcards
// ("*" any run, "?" one character) over the text or the toneless pinyin.
// Full-width and half-width forms and case are alike; either script finds
// the idiom. Meaning search, over the data's full-text table, is added by the
// caller (MeaningSearch).
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/RowTexts.h"

namespace velmora {

class IdiomMatcher {
 public:
  // How a row matched, in ranking order: a lower kind ranks higher.
  enum class Kind {
    ExactIdiom,   // the idiom itself: what the user surely wants
    IdiomPrefix,  // typing an idiom's start is typing that idiom
    Pinyin,       // a reading spelt out is nearly as sure as characters
    Initials,     // initials are short and ambiguous: after full readings
    Inside,       // characters elsewhere in the idiom: a remembered fragment
    Wildcard,     // a pattern the user leaves open on purpose
    Meaning,      // words of the explanation: related, not the idiom itself
  };
  struct Match {
    int row;
    Kind kind;
    bool operator==(const Match &) const = default;
  };

  // Rows in list order: each idiom with its spelling ("; " between readings).
  void Build(const QStringList &idioms, const QStringList &spells);
  // The same a row at a time, so that a reader need not hold every row.
  void Add(const QString &idiom, const QString &spell);
  // Room for the rows to come, so that Add never moves what it holds: a
  // buffer that grows by doubling has its old and new copies in memory at
  // once. Room not filled is never touched, so it costs no memory.
  void Reserve(size_t rows);
  // Each row's idiom in the other script (the data builder converts them
  // with OpenCC), as UTF-8 text, one idiom per line, so that a key in
  // simplified characters finds a traditional idiom and the reverse.
  void SetOtherScript(const QByteArray &lines);
  // The same a line at a time, the rows in order, then EndOtherScript: rows
  // without a line have none; an incomplete set (complete false) is dropped.
  void AddOtherScriptLine(QByteArrayView line);
  void EndOtherScript(bool complete);
  // Each matching row once, with its best kind, best first; ties in list
  // order. meaningRows (in relevance order) join as Meaning when they matched
  // nothing else.
  std::vector<Match> Find(const QString &key, const std::vector<int> &meaningRows = {}) const;
  int size() const { return static_cast<int>(idioms_.Rows()); }
  // The row's idiom as the edition writes it; empty for a row not there.
  QString IdiomAt(int row) const;
  // The row's idiom as compared (Normalized): "，" is "," here.
  QString ComparedIdiomAt(int row) const;
  // The row's first reading in the compact form ("hua4 long2 dian3 jing1").
  QString ReadingAt(int row) const;
  // The row's idiom in the other script, as the edition writes it, or as
  // compared; empty without the other script's data.
  QString OtherScriptAt(int row) const;
  QString ComparedOtherScriptAt(int row) const;

  // The key as the matcher compares it: trimmed, full-width forms made
  // half-width, case folded.
  static QString Normalized(const QString &key);
  // Keys are cut to this many characters: no idiom or reading is longer,
  // and the cost of a key per row stays bounded.
  static constexpr int kLongestKey = 200;
  // The key Find compares: normalized, cut, runs of "*" made one.
  static QString SearchKey(const QString &key);

 private:
  RowTexts<char16_t> idioms_;
  RowTexts<char> readings_;         // compact readings (PinyinKey.h), joined by '|'
  RowTexts<char16_t> otherScript_;  // empty until SetOtherScript
  // The letters a to z each row's readings hold, a bit each: a pinyin key
  // whose letters a row lacks cannot match it, and most rows are passed
  // over with one comparison (4 bytes a row).
  std::vector<uint32_t> letterMasks_;
  struct Query;
  // A key that only text can match (no pinyin, no pattern): the places it
  // stands in all the rows' text at once, in row order.
  void FindText(const Query &query, std::vector<Match> *matches) const;
  // A pattern of characters that holds a run of them (literal): the rows
  // that hold the run, in row order, each matched against the pattern.
  void FindPattern(const Query &query, std::u16string_view literal, std::vector<Match> *matches) const;
  // Each row that holds the key, in row order, once, with the best place
  // it holds it at.
  static std::vector<Match> RowsHolding(const RowTexts<char16_t> &texts, std::u16string_view key);
  // The matches of rows [begin, end) in row order.
  void FindInRows(const Query &query, size_t begin, size_t end, std::vector<Match> *matches) const;
  // The few rows whose written form is not the compared one (an idiom
  // with a full-width comma), in row order: the forms shown.
  using WrittenForms = std::vector<std::pair<uint32_t, std::u16string>>;
  WrittenForms writtenIdioms_, writtenOthers_;
  static void KeepWritten(WrittenForms *forms, size_t row, const QString &written, std::u16string_view compared);
  static const std::u16string *WrittenAt(const WrittenForms &forms, size_t row);
};

}  // namespace velmora
