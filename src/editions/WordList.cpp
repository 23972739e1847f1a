#include "WordList.h"

#include <QList>

namespace velmora::editions {

WordList WordList::Parse(const QByteArray &text) {
  WordList list;
  for (const QByteArray &line : text.split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 2) continue;
    const QString word = QString::fromUtf8(fields[0]);
    if (word.size() < 4) continue;
    bool number = false;
    const long long count = fields[1].toLongLong(&number);
    if (!number || count < 0) continue;
    Entry &entry = list.words_[word];
    // A word listed twice keeps its larger count; an idiom tag on either counts.
    entry.count = std::max(entry.count, count);
    entry.idiom = entry.idiom || (fields.size() > 2 && fields[2] == "i");
  }
  return list;
}

std::optional<long long> WordList::CountOf(const QString &word) const {
  const auto found = words_.constFind(word);
  return found == words_.constEnd() ? std::nullopt : std::optional<long long>(found->count);
}

bool WordList::IsIdiom(const QString &word) const {
  const auto found = words_.constFind(word);
  return found != words_.constEnd() && found->idiom;
}

}  // namespace velmora::editions
