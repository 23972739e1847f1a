#include "mainwindow/characters/StrokeView.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QSvgRenderer>
#include <cmath>

#include "lang/Captions.h"
#include "platform/LanguageTexts.h"

namespace velmora {

namespace {

// The data's grid: 1024 units a side, y upwards from 900 units below the top.
constexpr double kGrid = 1024, kBaseline = 900;
// The pen moves this many grid units a frame (about 0.6 s for a long stroke),
// and waits this many frames between strokes.
constexpr double kUnitsPerFrame = 28;
constexpr int kFrameMilliseconds = 16, kPauseFrames = 8;
// Wide enough to cover a stroke's shape either side of its median.
constexpr double kPenWidth = 150;

QByteArray StrokeSvg(const QStringList &paths, const QColor &colour) {
  QByteArray svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1024 1024\">"
      "<g transform=\"translate(0, 900) scale(1, -1)\" fill=\"" +
      colour.name().toLatin1() + "\">";
  for (const QString &path : paths) svg += "<path d=\"" + path.toLatin1() + "\"/>";
  return svg + "</g></svg>";
}

}  // namespace

StrokeView::StrokeView(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picStrokes"));
  SetLanguageName(this, "STROKEVIEW", "Stroke order");
  setMinimumSize(120, 120);
  QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
  timer_.setInterval(kFrameMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &StrokeView::Advance);
}

StrokeView::~StrokeView() = default;

void StrokeView::SetStrokes(const CharacterStrokes *strokes) {
  timer_.stop();
  strokes_ = strokes ? *strokes : CharacterStrokes{};
  written_ = StrokeCount();
  fraction_ = 0;
  MakeStrokeArt();
  update();
  emit progressed();
}

void StrokeView::Play() {
  if (StrokeCount() == 0) return;
  if (written_ >= StrokeCount()) {
    written_ = 0;
    fraction_ = 0;
  }
  timer_.start();
  emit progressed();
}

void StrokeView::Pause() {
  timer_.stop();
  emit progressed();
}

void StrokeView::Step() {
  timer_.stop();
  if (written_ >= StrokeCount()) {
    written_ = 0;
  } else {
    ++written_;
  }
  fraction_ = 0;
  update();
  emit progressed();
}

void StrokeView::Replay() {
  written_ = 0;
  fraction_ = 0;
  Play();
  update();
}

double StrokeView::MedianLength(int stroke) const {
  if (strokes_.medians.empty()) return kGrid / 2;
  const std::vector<QPointF> &median = strokes_.medians[static_cast<size_t>(stroke)];
  double length = 0;
  for (size_t i = 1; i < median.size(); ++i)
    length += std::hypot(median[i].x() - median[i - 1].x(), median[i].y() - median[i - 1].y());
  return std::max(length, 1.0);
}

void StrokeView::Advance() {
  if (written_ >= StrokeCount()) {
    timer_.stop();
    emit progressed();
    return;
  }
  // Past 1, the pen rests before the next stroke.
  fraction_ += kUnitsPerFrame / MedianLength(written_);
  const double rest = kPauseFrames * kUnitsPerFrame / MedianLength(written_);
  if (fraction_ >= 1 + rest) {
    ++written_;
    fraction_ = 0;
    emit progressed();
  }
  update();
}

QRect StrokeView::Square() const {
  const int side = std::min(width(), height());
  return {(width() - side) / 2, (height() - side) / 2, side, side};
}

void StrokeView::MakeStrokeArt() {
  strokeArt_.clear();
  allArt_.reset();
  if (StrokeCount() == 0) return;
  const QColor ink = palette().color(QPalette::Text);
  // Drawn faint when painted (an SVG colour carries no opacity).
  allArt_ = std::make_unique<QSvgRenderer>(StrokeSvg(strokes_.strokes, ink));
  for (const QString &path : strokes_.strokes)
    strokeArt_.push_back(std::make_unique<QSvgRenderer>(StrokeSvg({path}, ink)));
}

QPainterPath StrokeView::PenPath(int stroke, double fraction) const {
  // The median from its start to where the pen has reached, on the widget.
  const QRect square = Square();
  const double scale = square.width() / kGrid;
  const auto onWidget = [&](const QPointF &p) {
    return QPointF(square.left() + p.x() * scale, square.top() + (kBaseline - p.y()) * scale);
  };
  const std::vector<QPointF> &median = strokes_.medians[static_cast<size_t>(stroke)];
  // A stroke without a median is revealed whole once the pen reaches it.
  if (median.empty()) {
    QPainterPath whole;
    whole.addRect(square);
    return whole;
  }
  QPainterPath path(onWidget(median.front()));
  double left = std::min(fraction, 1.0) * MedianLength(stroke);
  for (size_t i = 1; i < median.size() && left > 0; ++i) {
    const QPointF from = median[i - 1], to = median[i];
    const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
    const double part = length > 0 ? std::min(1.0, left / length) : 1;
    path.lineTo(onWidget(from + (to - from) * part));
    left -= length;
  }
  QPainterPathStroker pen;
  pen.setWidth(kPenWidth * scale);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen.createStroke(path);
}

void StrokeView::DrawGrid(QPainter &painter, const QRect &square) const {
  // The 米字格 learners write in: a frame, its middle lines and diagonals.
  QColor rule = palette().color(QPalette::Mid);
  painter.setPen(QPen(rule, 1));
  painter.drawRect(square.adjusted(0, 0, -1, -1));
  painter.setPen(QPen(rule, 1, Qt::DashLine));
  painter.drawLine(square.center().x(), square.top(), square.center().x(), square.bottom());
  painter.drawLine(square.left(), square.center().y(), square.right(), square.center().y());
  painter.drawLine(square.topLeft(), square.bottomRight());
  painter.drawLine(square.bottomLeft(), square.topRight());
}

void StrokeView::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRect square = Square();
  painter.fillRect(square, palette().color(QPalette::Base));
  DrawGrid(painter, square);
  if (!allArt_) return;
  const QRectF area(square);
  painter.setOpacity(0.16);
  allArt_->render(&painter, area);
  painter.setOpacity(1);
  for (int i = 0; i < std::min(written_, StrokeCount()); ++i)
    strokeArt_[static_cast<size_t>(i)]->render(&painter, area);
  if (written_ < StrokeCount() && fraction_ > 0 && !strokes_.medians.empty()) {
    painter.save();
    painter.setClipPath(PenPath(written_, fraction_));
    strokeArt_[static_cast<size_t>(written_)]->render(&painter, area);
    painter.restore();
  }
}

void StrokeView::changeEvent(QEvent *event) {
  // A new palette (a dark one) gives the strokes its colours.
  if (event->type() == QEvent::PaletteChange) MakeStrokeArt();
  QWidget::changeEvent(event);
}

}  // namespace velmora
