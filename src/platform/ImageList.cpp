#include "ImageList.h"

#include <QHash>

// The pictures live in a resource of a static library, which must be
// registered by hand before its first use.
static void RegisterImageResources() { Q_INIT_RESOURCE(images); }

namespace velmora {

namespace {

const QHash<QString, QString> &Files() {
  static const QHash<QString, QString> files = {
      {"home", "home"},       {"book", "book"},     {"setting1", "setting"}, {"select", "select"},
      {"page", "black"},      {"pic", "logo"},      {"info", "about"},       {"black", "black"},
      {"setting", "setting"}, {"open", "open"},     {"C1", "home24"},        {"kovsearch", "kovsearch"},
      {"kovtree", "kovtree"}, {"detail", "detail"}, {"speak", "speak"},      {"video", "video"},
      {"quiz", "quiz"},       {"help", "help"},     {"about", "about"},      {"logo", "logo"},
      {"mail", "mail"},       {"web", "web"},       {"person", "person"},    {"home24", "home24"},
      {"velmora", "velmora"}, {"star", "star"},     {"star-on", "star-on"},  {"kovfavourites", "kovfavourites"}, {"kovstudy", "kovstudy"}, {"related", "related"}, {"chain", "chain"},
  };
  return files;
}

}  // namespace

bool HasImage(const QString &key) { return Files().contains(key); }

QIcon ImageByKey(const QString &key) {
  static QHash<QString, QIcon> cache;
  static const bool registered = (RegisterImageResources(), true);
  (void)registered;
  if (!HasImage(key)) return {};
  auto found = cache.find(key);
  if (found == cache.end())
    found = cache.insert(key, QIcon(QStringLiteral(":/images/images/%1.svg").arg(Files().value(key))));
  return *found;
}

}  // namespace velmora
