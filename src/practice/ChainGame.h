#pragma once
// The idiom chain (成语接龙): each idiom begins where the one before it ends,
// by its last character or its last syllable (with or without tone). The
// learner and the computer take turns; an idiom may be used once; a player
// with no idiom to follow ends the round.
#include <QString>
#include <QStringList>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "dictionary/IdiomFrequencies.h"
#include "dictionary/RelatedIndex.h"

namespace velmora {

class ChainGame {
 public:
  enum class Level { Easy, Hard };
  // A random start is one of this many most common idioms.
  static constexpr size_t kCommonStarts = 1500;
  struct Verdict {
    bool accepted = false;
    QString reason;  // why an idiom was refused
  };

  ChainGame(const RelatedIndex &index, ChainRule rule, Level level, unsigned seed = std::random_device{}());

  // How common each row's idiom is: the computer then plays, and hints at,
  // common idioms first, and a random start is a common idiom.
  void SetFrequencies(const IdiomFrequencies *frequencies) { frequencies_ = frequencies; }
  // Starts the round with an idiom (the one on display, or one the computer picks).
  bool Start(const QString &idiom);
  bool StartAtRandom();
  const QStringList &Chain() const { return chain_; }
  ChainRule Rule() const { return rule_; }
  bool Over() const { return over_; }
  // Why the round ended: "no idiom follows 睛".
  const QString &Ending() const { return ending_; }

  // The idioms that may follow the last one now (unused), in list order.
  QStringList LegalNext() const;
  // The learner's idiom: accepted and added, or refused with the reason.
  Verdict Play(const QString &idiom);
  // The computer's answer, added to the chain; nothing (and the round over)
  // when it has none. It prefers an idiom that leaves the learner a move on
  // the easy level and one that leaves none on the hard.
  std::optional<QString> Answer();
  // One legal idiom for the learner to look at; nothing at a dead end.
  std::optional<QString> Hint() const;
  // What could have followed where the round ended.
  QStringList CouldHaveFollowed() const { return couldHaveFollowed_; }

 private:
  std::vector<int> LegalAfter(int row) const;
  void Add(int row);
  void EndAt(int row);
  // The part of the last idiom that the next must begin with, as the rule reads it.
  QString Link(int row) const;

  const RelatedIndex &index_;
  const IdiomFrequencies *frequencies_ = nullptr;
  ChainRule rule_;
  Level level_;
  std::mt19937 random_;
  QStringList chain_;
  std::set<int> used_;
  int last_ = -1;
  bool over_ = false;
  QString ending_;
  QStringList couldHaveFollowed_;
};

}  // namespace velmora
