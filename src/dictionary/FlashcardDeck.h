#pragma once
// Idioms as a flashcard deck that Anki and other flashcard programs import
// as it stands: UTF-8, one idiom a line, the fields idiom, spelling,
// explanation, derivation and example separated by tabs.
#include <QByteArray>
#include <QString>
#include <vector>

#include "data/IdiomStore.h"

namespace velmora {

// One field as the deck holds it: HTML-escaped, line breaks as <br>, no
// tab, and never starting with "#" (which would make its line a comment).
QString FlashcardField(const QString &text);
QByteArray FlashcardDeck(const std::vector<IdiomRecord> &records);

}  // namespace velmora
