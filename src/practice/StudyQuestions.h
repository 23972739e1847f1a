#pragma once
// The questions of a review, none of which needs a Chinese input method:
// the meaning, the reading or the sound of an idiom, or a character missing
// from it, each answered by choosing among four; or a flashcard the learner
// grades. Wrong choices come from the edition: idioms sharing a character,
// of close pinyin or related meaning, characters of the same sound.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <random>

namespace velmora {

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
};

// The source over the search list's matcher and the edition's records.
class EditionQuestionSource : public QuestionSource {
 public:
  explicit EditionQuestionSource(std::function<const IdiomMatcher *()> matcher) : matcher_(std::move(matcher)) {}
  QString Reading(const QString &idiom) const override;
  QString Meaning(const QString &idiom) const override;
  QStringList Neighbours(const QString &idiom, int count) const override;
  QStringList CharactersSounding(const QString &syllable, int count) const override;
  QStringList RandomIdioms(int count, std::mt19937 &random) const override;
  QString OtherScript(const QString &idiom) const override;

 private:
  std::function<const IdiomMatcher *()> matcher_;
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
