#include "ImageList.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

// The pictures live in a resource of a static library, which must be
// registered by hand before its first use.
static void RegisterImageResources() { Q_INIT_RESOURCE(images); }

namespace velmora {

namespace {

const QHash<QString, QString> &Files() {
  static const QHash<QString, QString> files = {
      {"home", "home"},         {"book", "book"},       {"setting1", "setting"}, {"select", "select"},
      {"page", "black"},        {"pic", "logo"},        {"info", "about"},       {"black", "black"},
      {"setting", "setting"},   {"open", "open"},       {"C1", "home24"},        {"kovsearch", "kovsearch"},
      {"kovtree", "kovtree"},   {"detail", "detail"},   {"speak", "speak"},      {"video", "video"},
      {"quiz", "quiz"},         {"help", "help"},       {"about", "about"},      {"logo", "logo"},
      {"mail", "mail"},         {"web", "web"},         {"person", "person"},    {"home24", "home24"},
      {"velmora", "velmora"},   {"star", "star"},       {"star-on", "star-on"},  {"kovfavourites", "kovfavourites"},
      {"kovstudy", "kovstudy"}, {"related", "related"}, {"chain", "chain"},      {"clear", "clear"},
      {"lookup", "lookup"},
  };
  return files;
}

// A picture drawn from its SVG file when a size of it is first wanted.
// Qt's own SVG engine reads and checks the file as soon as the icon is
// made, and then again to draw it: the window makes some thirty icons
// before its first frame.
class SvgPictureEngine : public QIconEngine {
 public:
  explicit SvgPictureEngine(QString file) : file_(std::move(file)) {}
  QIconEngine *clone() const override { return new SvgPictureEngine(*this); }
  QString key() const override { return QStringLiteral("VelmoraSvgPicture"); }
  QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }

  QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override {
    if (size.isEmpty()) return {};
    const auto cacheKey = std::make_pair(size, static_cast<int>(mode));
    if (const auto found = drawn_.constFind(cacheKey); found != drawn_.cend()) return *found;
    QPixmap picture = Drawn(size);
    if (mode != QIcon::Normal && !picture.isNull()) {
      QStyleOption option;
      option.palette = QApplication::palette();
      picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    drawn_.insert(cacheKey, picture);
    return picture;
  }

  void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture = pixmap(rect.size() * ratio, mode, state);
    picture.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, picture);
  }

 private:
  QPixmap Drawn(const QSize &size) const {
    QImageReader reader(file_, "svg");
    // The drawing keeps its proportions inside the size asked for.
    QSize scaled = reader.size();
    scaled = scaled.isValid() ? scaled.scaled(size, Qt::KeepAspectRatio) : size;
    reader.setScaledSize(scaled);
    const QImage drawn = reader.read();
    if (drawn.isNull() || drawn.size() == size) return QPixmap::fromImage(drawn);
    QPixmap centred(size);
    centred.fill(Qt::transparent);
    QPainter painter(&centred);
    painter.drawImage((size.width() - drawn.width()) / 2, (size.height() - drawn.height()) / 2, drawn);
    return centred;
  }

  QString file_;
  QHash<std::pair<QSize, int>, QPixmap> drawn_;  // by size and mode
};

}  // namespace

bool HasImage(const QString &key) { return Files().contains(key); }

QIcon ImageByKey(const QString &key) {
  static QHash<QString, QIcon> cache;
  static const bool registered = (RegisterImageResources(), true);
  (void)registered;
  if (!HasImage(key)) return {};
  auto found = cache.find(key);
  if (found == cache.end())
    found = cache.insert(key,
                         QIcon(new SvgPictureEngine(QStringLiteral(":/images/images/%1.svg").arg(Files().value(key)))));
  return *found;
}

}  // namespace velmora
