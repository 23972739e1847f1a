#include "StudyQuestions.h"

#include <algorithm>
#include <map>

#include "data/IdiomStore.h"
#include "dictionary/IdiomFrequencies.h"
#include "dictionary/IdiomMatcher.h"
#include "dictionary/Pinyin.h"
#include "dictionary/TeachingText.h"
#include "practice/FairChoices.h"
#include "practice/MissingCharacterQuiz.h"

namespace velmora {

namespace {

constexpr int kChoices = 4;
// What stands for the idiom in a meaning shown as a question, and for the
// character asked for.
const QString kStandIn = QStringLiteral("～"), kGap = QStringLiteral("＿");

const std::pair<QuestionKind, const char *> kKindNames[] = {
    {QuestionKind::Meaning, "meaning"},     {QuestionKind::Reading, "reading"},
    {QuestionKind::Character, "character"}, {QuestionKind::Listening, "listening"},
    {QuestionKind::Flashcard, "flashcard"},
};

// The answer and wrong choices in a random order; nothing when there are
// not enough distinct wrong choices.
bool Shuffle(StudyQuestion &question, const QString &answer, const QStringList &wrong, std::mt19937 &random) {
  QStringList choices = {answer};
  for (const QString &choice : wrong)
    if (!choice.isEmpty() && !choices.contains(choice) && choices.size() < kChoices) choices << choice;
  if (choices.size() < kChoices) return false;
  std::shuffle(choices.begin(), choices.end(), random);
  question.choices = choices;
  question.answer = static_cast<int>(choices.indexOf(answer));
  return true;
}

// Wrong idioms: neighbours first (a few of the nearest, taken at random so
// that the same card is not always asked alike), then any idiom.
QStringList WrongIdioms(const QString &idiom, const QuestionSource &source, std::mt19937 &random) {
  const QString other = source.OtherScript(idiom);
  const auto isAnswer = [&](const QString &candidate) {
    return candidate == idiom || (!other.isEmpty() && candidate == other);
  };
  QStringList near = source.Neighbours(idiom, 8);
  near.removeIf(isAnswer);
  std::shuffle(near.begin(), near.end(), random);
  QStringList wrong = near.mid(0, kChoices - 1);
  QStringList any = source.RandomIdioms(8, random);
  any.removeIf(isAnswer);
  return wrong + any;
}

// Wrong idioms for a question about the meaning (or the sound) of the
// card: a couple of look-alikes, then idioms as long and as common, none
// of which would also be right.
QStringList FairWrongIdioms(const StudyQuestion &question, const QuestionSource &source, std::mt19937 &random) {
  const ChoiceFacts card{question.idiom, question.meaning, question.reading};
  const QStringList synonyms = source.Synonyms(question.idiom);
  const QString other = source.OtherScript(question.idiom);
  const QString sound = SearchFold(FirstReading(question.reading));
  QStringList fair;
  const auto consider = [&](const QString &candidate, qsizetype upTo) {
    if (fair.size() >= upTo || candidate.isEmpty() || candidate == other || fair.contains(candidate)) return;
    const ChoiceFacts facts{candidate, source.Meaning(candidate), source.Reading(candidate)};
    if (AlsoFits(card, facts, synonyms)) return;
    // Heard, an idiom of the same sound is as right as the card.
    if (question.kind == QuestionKind::Listening && SearchFold(FirstReading(facts.reading)) == sound) return;
    fair << candidate;
  };
  QStringList near = source.Neighbours(question.idiom, 12);
  std::shuffle(near.begin(), near.end(), random);
  for (const QString &candidate : near) consider(candidate, 2);
  for (int round = 0; round < 3 && fair.size() < kChoices - 1; ++round)
    for (const QString &candidate : source.SimilarIdioms(question.idiom, 12, random)) consider(candidate, kChoices - 1);
  for (const QString &candidate : source.RandomIdioms(12, random)) consider(candidate, kChoices - 1);
  return fair;
}

bool CharacterQuestion(StudyQuestion &question, const QuestionSource &source, std::mt19937 &random) {
  const QStringList characters = Characters(question.idiom);
  if (characters.size() < 2) return false;
  const int at = std::uniform_int_distribution<int>(0, static_cast<int>(characters.size()) - 1)(random);
  const QString hidden = characters[at];
  QStringList shown = characters;
  shown[at] = kGap;
  question.prompt = shown.join(QString());
  // Characters of the same sound first, then those of neighbours at the
  // same place, then any idiom's.
  const QStringList syllables = PlainSyllables(FirstReading(question.reading));
  QStringList wrong;
  if (syllables.size() == characters.size()) wrong = source.CharactersSounding(syllables[at], 12);
  std::shuffle(wrong.begin(), wrong.end(), random);
  for (const QString &idiom : WrongIdioms(question.idiom, source, random)) {
    const QStringList theirs = Characters(idiom);
    if (theirs.size() > at) wrong << theirs[at];
  }
  wrong.removeIf([&](const QString &c) { return c == hidden || characters.contains(c); });
  return Shuffle(question, hidden, wrong, random);
}

}  // namespace

QString QuestionKindName(QuestionKind kind) {
  for (const auto &[k, name] : kKindNames)
    if (k == kind) return QLatin1String(name);
  return {};
}

std::optional<QuestionKind> QuestionKindNamed(const QString &name) {
  for (const auto &[kind, text] : kKindNames)
    if (name == QLatin1String(text)) return kind;
  return std::nullopt;
}

QStringList ToneVariants(const QString &reading, int count, std::mt19937 &random) {
  const QStringList syllables = reading.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  QStringList variants;
  if (syllables.isEmpty()) return variants;
  std::uniform_int_distribution<int> place(0, static_cast<int>(syllables.size()) - 1), tone(1, 4);
  for (int attempt = 0; attempt < 50 && variants.size() < count; ++attempt) {
    QStringList changed = syllables;
    const int changes = syllables.size() > 2 && attempt % 2 ? 2 : 1;
    for (int i = 0; i < changes; ++i) {
      const int at = place(random);
      const int now = SyllableTone(changed[at]);
      int next = tone(random);
      if (next == now) next = next % 4 + 1;
      changed[at] = WithTone(changed[at], next);
    }
    const QString variant = changed.join(QLatin1Char(' '));
    if (variant != reading && !variants.contains(variant)) variants << variant;
  }
  return variants;
}

StudyQuestion BuildQuestion(QuestionKind kind, const QString &idiom, const QuestionSource &source,
                            std::mt19937 &random) {
  StudyQuestion question;
  question.kind = kind;
  question.idiom = idiom;
  question.reading = source.Reading(idiom);
  question.meaning = source.Meaning(idiom);
  bool built = true;
  switch (kind) {
    case QuestionKind::Meaning: {
      // Asked by the figurative sense where there is one: the literal gives the idiom away.
      QString meaning = WithoutLiteralSense(question.meaning);
      meaning.replace(idiom, kStandIn);
      question.prompt = meaning;
      built =
          !meaning.trimmed().isEmpty() && Shuffle(question, idiom, FairWrongIdioms(question, source, random), random);
      break;
    }
    case QuestionKind::Listening:
      built = Shuffle(question, idiom, FairWrongIdioms(question, source, random), random);
      break;
    case QuestionKind::Reading: {
      question.prompt = idiom;
      const QString reading = FirstReading(question.reading);
      QStringList wrong = ToneVariants(reading, 2, random);
      // One choice of other syllables: a neighbour's reading of the same length.
      for (const QString &near : WrongIdioms(idiom, source, random)) {
        const QString theirs = FirstReading(source.Reading(near));
        if (PlainSyllables(theirs).size() == PlainSyllables(reading).size() && theirs != reading) {
          wrong << theirs;
          break;
        }
      }
      wrong += ToneVariants(reading, 6, random);
      built = !reading.isEmpty() && Shuffle(question, reading, wrong, random);
      break;
    }
    case QuestionKind::Character: built = CharacterQuestion(question, source, random); break;
    case QuestionKind::Flashcard: break;
  }
  if (!built) {
    question.kind = QuestionKind::Flashcard;
    question.choices.clear();
    question.answer = -1;
  }
  if (question.kind == QuestionKind::Flashcard) question.prompt = idiom;
  return question;
}

QuestionKind KindForCard(std::optional<QuestionKind> chosen, int reps, bool canSpeak) {
  if (chosen && (*chosen != QuestionKind::Listening || canSpeak)) return *chosen;
  if (reps == 0) return QuestionKind::Flashcard;
  static const QuestionKind turns[] = {QuestionKind::Meaning, QuestionKind::Reading, QuestionKind::Character,
                                       QuestionKind::Listening};
  const QuestionKind kind = turns[reps % 4];
  return kind == QuestionKind::Listening && !canSpeak ? QuestionKind::Meaning : kind;
}

QString EditionQuestionSource::Reading(const QString &idiom) const {
  const auto record = Record(idiom);
  return record ? record->spell : QString();
}

QString EditionQuestionSource::Meaning(const QString &idiom) const {
  const auto record = Record(idiom);
  return record ? record->note : QString();
}

QStringList EditionQuestionSource::Neighbours(const QString &idiom, int count) const {
  const IdiomMatcher *matcher = matcher_();
  if (!matcher) return {};
  // Rows sharing more of the idiom's characters first.
  std::map<int, int> shared;
  for (const QString &character : Characters(idiom))
    for (const auto &match : matcher->Find(character)) ++shared[match.row];
  std::vector<std::pair<int, int>> ranked(shared.begin(), shared.end());
  std::stable_sort(ranked.begin(), ranked.end(), [](auto a, auto b) { return a.second > b.second; });
  QStringList near;
  for (const auto &[row, n] : ranked) {
    const QString candidate = matcher->IdiomAt(row);
    if (candidate != idiom && !near.contains(candidate)) near << candidate;
    if (near.size() >= count) return near;
  }
  // Then idioms of the same first syllable.
  const QStringList syllables = PlainSyllables(FirstReading(Reading(idiom)));
  if (!syllables.isEmpty())
    for (const auto &match : matcher->Find(syllables.front())) {
      const QString candidate = matcher->IdiomAt(match.row);
      if (candidate != idiom && !near.contains(candidate)) near << candidate;
      if (near.size() >= count) break;
    }
  return near;
}

QStringList EditionQuestionSource::CharactersSounding(const QString &syllable, int count) const {
  const IdiomMatcher *matcher = matcher_();
  QStringList characters;
  if (!matcher || syllable.isEmpty()) return characters;
  for (const auto &match : matcher->Find(syllable)) {
    // The key may stop short of a syllable ("hua" finds "huan"): the whole
    // first syllable must be this one.
    const QString first = matcher->ReadingAt(match.row).section(QLatin1Char(' '), 0, 0);
    if (first.left(first.size() - 1) != syllable) continue;
    const QStringList theirs = Characters(matcher->IdiomAt(match.row));
    if (!theirs.isEmpty() && !characters.contains(theirs.front())) characters << theirs.front();
    if (characters.size() >= count) break;
  }
  return characters;
}

QStringList EditionQuestionSource::RandomIdioms(int count, std::mt19937 &random) const {
  const IdiomMatcher *matcher = matcher_();
  QStringList idioms;
  if (!matcher || matcher->size() == 0) return idioms;
  std::uniform_int_distribution<int> row(0, matcher->size() - 1);
  for (int i = 0; i < count * 2 && idioms.size() < count; ++i) {
    const QString idiom = matcher->IdiomAt(row(random));
    if (!idioms.contains(idiom)) idioms << idiom;
  }
  return idioms;
}

QStringList EditionQuestionSource::Synonyms(const QString &idiom) const { return RelatedTermsOf(idiom).synonyms; }

std::optional<int> EditionQuestionSource::RowOf(const QString &idiom) const {
  const IdiomMatcher *matcher = matcher_();
  if (!matcher) return std::nullopt;
  for (const auto &match : matcher->Find(idiom))
    if (match.kind == IdiomMatcher::Kind::ExactIdiom && matcher->IdiomAt(match.row) == idiom) return match.row;
  return std::nullopt;
}

QStringList EditionQuestionSource::SimilarIdioms(const QString &idiom, int count, std::mt19937 &random) const {
  const IdiomMatcher *matcher = matcher_();
  const IdiomFrequencies *frequencies = frequencies_ ? frequencies_() : nullptr;
  QStringList similar;
  if (!matcher || matcher->size() == 0) return similar;
  const qsizetype length = Characters(idiom).size();
  const auto row = RowOf(idiom);
  const double cardCount = frequencies && row ? frequencies->At(*row) : 0;
  std::uniform_int_distribution<int> any(0, matcher->size() - 1);
  // As common: within a factor of four of the card's count, or both unknown.
  const auto asCommon = [&](int candidate) {
    if (!frequencies || !frequencies->Known()) return true;
    const double theirs = frequencies->At(candidate);
    return cardCount == 0 ? theirs == 0 : theirs >= cardCount / 4 && theirs <= cardCount * 4;
  };
  for (int attempt = 0; attempt < 400 && similar.size() < count; ++attempt) {
    const int candidate = any(random);
    const QString text = matcher->IdiomAt(candidate);
    if (text == idiom || similar.contains(text) || Characters(text).size() != length) continue;
    if (attempt < 300 && !asCommon(candidate)) continue;
    similar << text;
  }
  return similar;
}

QString EditionQuestionSource::OtherScript(const QString &idiom) const {
  const IdiomMatcher *matcher = matcher_();
  if (!matcher) return {};
  for (const auto &match : matcher->Find(idiom))
    if (match.kind == IdiomMatcher::Kind::ExactIdiom) return matcher->OtherScriptAt(match.row);
  return {};
}

}  // namespace velmora
