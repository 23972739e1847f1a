#pragma once
// The questions of a review, none of which needs a Chinese input method:
// the meaning, the reading or the sound of an idiom, or a character missing
// from it, each answered by choosing among four; or a flashcard the learner
// grades. Wrong choices come from the edition: idioms sharing a character,
// of close pinyin, or as common; characters of the same sound. None of them
// is also a right answer (FairChoices.h).
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <random>

namespace velmora {

class IdiomFrequencies;
class IdiomMatcher;

enum class QuestionKind { Meaning, Reading, Character, Listening, Flashcard };
// The kind as the review log names it: "meaning", "reading", "character",
// "listening", "flashcard".
QString QuestionKindName(QuestionKind kind);
std::optional<QuestionKind> QuestionKindNamed(const QString &name);

struct StudyQuestion {
  QuestionKind kind = QuestionKind::Flashcard;
  QString idiom;        // the answer, as the edition spells it
  QString prompt;       // the meaning, the idiom, or the idiom with a gap; empty when listening
  QStringList choices;  // four; none for a flashcard
  int answer = -1;      // the right choice's index
  QString reading;      // revealed after the answer
  QString meaning;
};

// What questions are built from: the open edition.
class QuestionSource {
 public:
  virtual ~QuestionSource() = default;
  virtual QString Reading(const QString &idiom) const = 0;  // tone marks; "; " between readings
  virtual QString Meaning(const QString &idiom) const = 0;
  // Idioms like this one (sharing characters, then of close pinyin), best first.
  virtual QStringList Neighbours(const QString &idiom, int count) const = 0;
  // Characters that begin idioms whose first syllable is this one (toneless).
  virtual QStringList CharactersSounding(const QString &syllable, int count) const = 0;
  virtual QStringList RandomIdioms(int count, std::mt19937 &random) const = 0;
  // The idiom in the other script; empty when not known.
  virtual QString OtherScript(const QString &idiom) const = 0;
  // The idiom's 近义词 as the edition's sources give them.
  virtual QStringList Synonyms(const QString &) const { return {}; }
  // Idioms of the idiom's length and about as common, at random.
  virtual QStringList SimilarIdioms(const QString &, int count, std::mt19937 &random) const {
    return RandomIdioms(count, random);
  }
};

// The source over the search list's matcher, the edition's records and
// how common its idioms are.
class EditionQuestionSource : public QuestionSource {
 public:
  explicit EditionQuestionSource(std::function<const IdiomMatcher *()> matcher,
                                 std::function<const IdiomFrequencies *()> frequencies = {})
      : matcher_(std::move(matcher)), frequencies_(std::move(frequencies)) {}
  QString Reading(const QString &idiom) const override;
  QString Meaning(const QString &idiom) const override;
  QStringList Neighbours(const QString &idiom, int count) const override;
  QStringList CharactersSounding(const QString &syllable, int count) const override;
  QStringList RandomIdioms(int count, std::mt19937 &random) const override;
  QString OtherScript(const QString &idiom) const override;
  QStringList Synonyms(const QString &idiom) const override;
  QStringList SimilarIdioms(const QString &idiom, int count, std::mt19937 &random) const override;

 private:
  std::optional<int> RowOf(const QString &idiom) const;

  std::function<const IdiomMatcher *()> matcher_;
  std::function<const IdiomFrequencies *()> frequencies_;
};

// The question of the kind about the idiom. A choice question for which the
// edition cannot give three distinct wrong choices becomes a flashcard.
StudyQuestion BuildQuestion(QuestionKind kind, const QString &idiom, const QuestionSource &source,
                            std::mt19937 &random);
// Readings that differ from the reading in the tone of one or two syllables.
QStringList ToneVariants(const QString &reading, int count, std::mt19937 &random);
// The kind to ask for a card: the one chosen, or in turn by how often the
// card was reviewed (a new card first as a flashcard); listening only with
// a voice.
QuestionKind KindForCard(std::optional<QuestionKind> chosen, int reps, bool canSpeak);

}  // namespace velmora
