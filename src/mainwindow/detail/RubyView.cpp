#include "mainwindow/detail/RubyView.h"
#include "platform/LanguageTexts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace velmora {

RubyView::RubyView(QLineEdit *idiom, QLineEdit *reading)
    : QWidget(idiom->parentWidget()), box_(idiom), reading_(reading) {
  setObjectName(QStringLiteral("picRuby"));
  SetLanguageName(this, "ACCRUBY", "Idiom with its reading");
  setCursor(Qt::IBeamCursor);
  box_->installEventFilter(this);
  reading_->installEventFilter(this);
  hide();
}

void RubyView::SetPairs(std::vector<std::pair<QString, QString>> pairs) {
  pairs_ = std::move(pairs);
  QStringList described;
  for (const auto &[character, syllable] : pairs_)
    described << character + QLatin1Char('(') + syllable + QLatin1Char(')');
  setAccessibleDescription(described.join(QLatin1Char(' ')));
  Follow();
}

void RubyView::Follow() {
  const QRect area(box_->geometry().topLeft(), QPoint(box_->geometry().right(), reading_->geometry().bottom()));
  setGeometry(area);
  const bool oneReading = !reading_->text().contains(QLatin1Char(';'));
  const bool fits = !pairs_.empty() && oneReading && box_->isVisible() && reading_->isVisible() &&
                    area.height() >= kLeastHeight && !box_->hasFocus() && !reading_->hasFocus();
  setVisible(fits);
  if (fits) StackOverTheBoxes();
  update();
}

// Just above the two boxes it covers, not above every sibling: the panes
// that are laid over the detail (the combined text, the connections, the
// quiz) stay over it too.
void RubyView::StackOverTheBoxes() {
  stackUnder(box_);
  box_->stackUnder(this);
  reading_->stackUnder(this);
}

bool RubyView::eventFilter(QObject *watched, QEvent *event) {
  if (watched == box_ || watched == reading_) switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::FocusOut:
      case QEvent::FontChange: Follow(); break;
      default: break;
    }
  return QWidget::eventFilter(watched, event);
}

// The syllables take a quarter of the height; the characters as much of the
// rest as their line fits in. Every size tried loads a font of its own, so
// the size is estimated from one measurement and kept until the height or
// the box's font changes.
const RubyView::Fonts &RubyView::FontsFor(int height) {
  if (fonts_.height == height && fonts_.base == box_->font()) return fonts_;
  fonts_.height = height;
  fonts_.base = fonts_.character = fonts_.syllable = box_->font();
  fonts_.syllable.setBold(false);
  fonts_.syllable.setPixelSize(std::max(7, height / 4));
  const int room = height - QFontMetrics(fonts_.syllable).height();
  fonts_.character.setPixelSize(std::max(6, room));
  const int tall = QFontMetrics(fonts_.character).height();
  int size = std::max(6, tall > room ? room * room / std::max(1, tall) : room);
  const auto heightAt = [this](int pixels) {
    QFont font = fonts_.character;
    font.setPixelSize(pixels);
    return QFontMetrics(font).height();
  };
  while (size > 6 && heightAt(size) > room) --size;
  while (size < room && heightAt(size + 1) <= room) ++size;
  fonts_.character.setPixelSize(size);
  return fonts_;
}

std::vector<QRect> RubyView::Columns() {
  const QRect inside = rect().adjusted(6, 2, -4, -2);
  const Fonts &fonts = FontsFor(inside.height());
  const QFontMetrics syllables(fonts.syllable), characters(fonts.character);
  std::vector<QRect> columns;
  int x = inside.left();
  for (const auto &[character, syllable] : pairs_) {
    const int width = std::max(characters.horizontalAdvance(character), syllables.horizontalAdvance(syllable)) + 4;
    columns.emplace_back(x, inside.top(), width, inside.height());
    x += width;
  }
  return columns;
}

void RubyView::mousePressEvent(QMouseEvent *event) {
  const std::vector<QRect> columns = Columns();
  for (size_t i = 0; i < columns.size(); ++i)
    if (columns[i].contains(event->position().toPoint())) return emit characterClicked(static_cast<int>(i));
  // The box under the click, for selecting and copying: the idiom whole;
  // the reading as a click on it, its cursor where the click was.
  const QPoint inParent = mapToParent(event->position().toPoint());
  hide();
  if (!reading_->geometry().contains(inParent)) {
    box_->setFocus(Qt::MouseFocusReason);
    box_->selectAll();
    return;
  }
  reading_->setFocus(Qt::MouseFocusReason);
  const QPointF at = reading_->mapFromParent(inParent);
  QMouseEvent press(event->type(), at, reading_->mapToGlobal(at), event->button(), event->buttons(),
                    event->modifiers());
  QCoreApplication::sendEvent(reading_, &press);
}

void RubyView::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  QStyleOptionFrame frame;
  frame.initFrom(box_);
  frame.rect = rect();
  frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, box_);
  frame.state |= QStyle::State_Sunken;
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, box_);
  const QRect inside = rect().adjusted(6, 2, -4, -2);
  const Fonts &fonts = FontsFor(inside.height());
  const QFontMetrics syllables(fonts.syllable), characters(fonts.character);
  const QFont &syllableFont = fonts.syllable, &characterFont = fonts.character;
  const int top = inside.top() + syllables.height();
  int x = inside.left();
  painter.setPen(box_->palette().color(QPalette::Text));
  for (const auto &[character, syllable] : pairs_) {
    const int width = std::max(characters.horizontalAdvance(character), syllables.horizontalAdvance(syllable)) + 4;
    painter.setFont(syllableFont);
    painter.drawText(QRect(x, inside.top(), width, syllables.height()), Qt::AlignHCenter | Qt::AlignBottom, syllable);
    painter.setFont(characterFont);
    painter.drawText(QRect(x, top, width, inside.bottom() - top), Qt::AlignHCenter | Qt::AlignTop, character);
    x += width;
  }
}

}  // namespace velmora
