#pragma once
// An entry as a learner reads it: the literal and figurative senses on lines
// of their own, the "～" of an example replaced by the idiom (and where the
// idiom stands, to highlight), and each syllable of the reading paired with
// its character for ruby.
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace velmora {

// "lit. a; fig. b" -> "<lit> a\n<fig> b"; a label in Chinese takes a
// full-width colon ("字面：a"), another a blank ("lit. a").
QString SensesOnLines(const QString &note, const QString &literalLabel, const QString &figurativeLabel);
// The note without its literal senses where it has a figurative one: a
// literal gloss ("lit. to guard a tree-stump, waiting for rabbits") maps word
// by word onto the idiom and gives it away in a question.
QString WithoutLiteralSense(const QString &note);

struct MarkedText {
  QString text;
  std::vector<std::pair<qsizetype, qsizetype>> marks;  // (start, length) of each occurrence of the idiom
};
// The example with each "～" (or "~") standing for the idiom replaced by it.
MarkedText ExampleWithIdiom(const QString &example, const QString &idiom);

// Each character of the idiom with its syllable of the first reading; empty
// when the reading has not as many syllables as the idiom has characters.
std::vector<std::pair<QString, QString>> RubyPairs(const QString &idiom, const QString &spell);

}  // namespace velmora
