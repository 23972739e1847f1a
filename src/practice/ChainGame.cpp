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
  // A start the learner can answer, among the common idioms when the
  // edition says which they are.
  std::vector<int> common;
  if (frequencies_ && frequencies_->Known()) {
    for (int row = 0; row < index_.size(); ++row)
      if (frequencies_->At(row) > 0) common.push_back(row);
    frequencies_->CommonFirst(&common);
    common.resize(std::min<size_t>(common.size(), kCommonStarts));
  }
  const int choices = common.empty() ? index_.size() : static_cast<int>(common.size());
  std::uniform_int_distribution<int> any(0, choices - 1);
  const auto pick = [&] { return common.empty() ? any(random_) : common[static_cast<size_t>(any(random_))]; };
  for (int attempt = 0; attempt < 200; ++attempt) {
    const int row = pick();
    if (!index_.Successors(row, rule_).empty()) return Start(index_.IdiomAt(row));
  }
  return Start(index_.IdiomAt(pick()));
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
  // Common idioms first; among those alike, the shuffle's order.
  if (frequencies_) frequencies_->CommonFirst(&legal);
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
  if (over_ || last_ < 0) return std::nullopt;
  std::vector<int> legal = LegalAfter(last_);
  if (legal.empty()) return std::nullopt;
  if (frequencies_) frequencies_->CommonFirst(&legal);
  return index_.IdiomAt(legal.front());
}

}  // namespace velmora
