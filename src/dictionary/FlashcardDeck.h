#pragma once
// Idioms as a flashcard deck that Anki and other flashcard programs import
// as it stands: UTF-8, one idiom a line, the fields idiom, spelling,
// explanation, derivation and example separated by tabs.
#include <QByteArray>
#include <vector>

#include "data/IdiomStore.h"

namespace velmora {

QByteArray FlashcardDeck(const std::vector<IdiomRecord> &records);

}  // namespace velmora
