#include "ChainGame.h"

#include <algorithm>

#include "lang/Captions.h"
#include "practice/MissingCharacterQuiz.h"

namespace velmora {

ChainGame::ChainGame(const RelatedIndex &index, ChainRule rule, Level level, unsigned seed)
    : index_(index), rule_(rule), level_(level), random_(seed) {}

bool ChainGame::Start(const QString &idiom) {
  const auto row = index_.RowOf(idiom);
  if (!row) return false;
  chain_.clear();
  used_.clear();
  over_ = false;
  ending_.clear();
  couldHaveFollowed_.clear();
  Add(*row);
  return true;
}

bool ChainGame::StartAtRandom() {
  if (index_.size() == 0) return false;
  // A start the learner can answer.
  std::uniform_int_distribution<int> any(0, index_.size() - 1);
  for (int attempt = 0; attempt < 200; ++attempt) {
    const int row = any(random_);
    if (!index_.Successors(row, rule_).empty()) return Start(index_.IdiomAt(row));
  }
  return Start(index_.IdiomAt(any(random_)));
}

std::vector<int> ChainGame::LegalAfter(int row) const {
  std::vector<int> legal = index_.Successors(row, rule_);
  std::erase_if(legal, [this](int next) { return used_.count(next) > 0; });
  return legal;
}

QStringList ChainGame::LegalNext() const {
  QStringList idioms;
  if (last_ >= 0)
    for (const int row : LegalAfter(last_)) idioms << index_.IdiomAt(row);
  return idioms;
}

void ChainGame::Add(int row) {
  chain_ << index_.IdiomAt(row);
  used_.insert(row);
  last_ = row;
}

QString ChainGame::Link(int row) const {
  if (rule_ == ChainRule::SameCharacter) {
    const QStringList characters = Characters(index_.IdiomAt(row));
    return characters.isEmpty() ? QString() : characters.back();
  }
  QString syllable = QString::fromStdString(index_.LastSyllable(row));
  if (rule_ == ChainRule::SameSyllable && !syllable.isEmpty() && syllable.back().isDigit()) syllable.chop(1);
  return syllable;
}

void ChainGame::EndAt(int row) {
  over_ = true;
  ending_ = CaptionOr("CHAINNOFOLLOW", "no idiom follows %1").arg(Link(row));
  // What was left, or what others had used already.
  for (const int next : index_.Successors(row, rule_))
    if (couldHaveFollowed_.size() < RelatedIndex::kListed && next != row) couldHaveFollowed_ << index_.IdiomAt(next);
}

ChainGame::Verdict ChainGame::Play(const QString &idiom) {
  if (over_ || last_ < 0) return {false, CaptionOr("CHAINISOVER", "the round is over")};
  const auto row = index_.RowOf(idiom);
  if (!row) return {false, CaptionOr("CHAINNOTIN", "%1 is not in this dictionary").arg(idiom)};
  if (used_.count(*row)) return {false, CaptionOr("CHAINUSED", "%1 is in the chain already").arg(idiom)};
  const std::vector<int> legal = index_.Successors(last_, rule_);
  if (!std::binary_search(legal.begin(), legal.end(), *row))
    return {false, CaptionOr("CHAINNOTBEGIN", "%1 does not begin with %2").arg(idiom, Link(last_))};
  Add(*row);
  return {true, {}};
}

std::optional<QString> ChainGame::Answer() {
  if (over_ || last_ < 0) return std::nullopt;
  std::vector<int> legal = LegalAfter(last_);
  if (legal.empty()) {
    EndAt(last_);
    return std::nullopt;
  }
  std::shuffle(legal.begin(), legal.end(), random_);
  // The easy level leaves the learner a way on; the hard one tries to leave none.
  const auto leavesAMove = [this](int row) {
    for (const int next : index_.Successors(row, rule_))
      if (next != row && !used_.count(next)) return true;
    return false;
  };
  const auto preferred = std::find_if(legal.begin(), legal.end(), [&](int row) {
    return level_ == Level::Easy ? leavesAMove(row) : !leavesAMove(row);
  });
  const int chosen = preferred != legal.end() ? *preferred : legal.front();
  Add(chosen);
  if (LegalAfter(chosen).empty()) EndAt(chosen);
  return index_.IdiomAt(chosen);
}

std::optional<QString> ChainGame::Hint() const {
  const QStringList legal = LegalNext();
  if (over_ || legal.isEmpty()) return std::nullopt;
  return legal.front();
}

}  // namespace velmora
