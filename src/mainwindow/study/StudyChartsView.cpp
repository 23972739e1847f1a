#include "mainwindow/study/StudyChartsView.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <numeric>

#include "lang/Captions.h"
#include "platform/LanguageTexts.h"
#include "practice/StudySession.h"

namespace velmora {

StudyChartsView::StudyChartsView(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picStudyCharts"));
  SetLanguageName(this, "CHARTNAME", "Study progress");
  setMinimumHeight(120);
  connect(&loading_, &QFutureWatcher<StudyStore::Figures>::finished, this, [this] {
    if (loading_.future().resultCount() == 0) return;
    StudyStore::Figures figures = loading_.future().result();
    SetFigures(std::move(figures.reviewsPerDay), std::move(figures.dueForecast), figures.retention);
  });
}

StudyChartsView::~StudyChartsView() {
  if (loading_.isRunning()) loading_.waitForFinished();
}

void StudyChartsView::Load(const QString &storePath, int64_t now) {
  std::vector<int64_t> past, coming;
  for (int day = -29; day <= 1; ++day) past.push_back(DayStart(now, day));
  for (int day = 0; day <= 7; ++day) coming.push_back(DayStart(now, day));
  if (loading_.isRunning()) return;  // the figures on their way are as good
  loading_.setFuture(QtConcurrent::run(&StudyStore::ReadFigures, storePath, past, coming));
}

void StudyChartsView::SetFigures(std::vector<int> reviewsPerDay, std::vector<int> dueForecast,
                                 std::optional<double> retention) {
  reviews_ = std::move(reviewsPerDay);
  forecast_ = std::move(dueForecast);
  retention_ = retention;
  const int reviewed = std::accumulate(reviews_.begin(), reviews_.end(), 0);
  const int due = std::accumulate(forecast_.begin(), forecast_.end(), 0);
  setAccessibleDescription(
      CaptionOr("CHARTSUMMARY", "%1 reviews in 30 days; %2 due in 7 days; retention %3")
          .arg(reviewed)
          .arg(due)
          .arg(retention_ ? QStringLiteral("%1 %").arg(qRound(*retention_ * 100))
                          : CaptionOr("CHARTUNKNOWN", "not yet known")));
  update();
}

void StudyChartsView::DrawBars(QPainter &painter, const QRect &area, const QString &title,
                               const std::vector<int> &values) const {
  const QFontMetrics metrics = painter.fontMetrics();
  const int peak = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(
      area.left(), area.top() + metrics.ascent(),
      metrics.elidedText(CaptionOr("CHARTMOST", "%1 (most %2)").arg(title).arg(peak), Qt::ElideRight, area.width()));
  const QRect bars = area.adjusted(0, metrics.height() + 2, 0, 0);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(bars.bottomLeft(), bars.bottomRight());
  if (values.empty() || peak == 0) return;
  const double step = static_cast<double>(bars.width()) / static_cast<double>(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    const int height = static_cast<int>(static_cast<double>(bars.height() - 1) * values[i] / peak);
    const QRectF bar(bars.left() + step * static_cast<double>(i) + 1, bars.bottom() - height, std::max(1.0, step - 2),
                     height);
    painter.fillRect(bar, palette().color(QPalette::Highlight));
  }
}

void StudyChartsView::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const int line = fontMetrics().height();
  const int chartHeight = std::max(line * 2, (height() - line * 2) / 2);
  DrawBars(painter, QRect(0, 0, width(), chartHeight - 4), CaptionOr("CHARTREVIEWS", "Reviews, 30 days"), reviews_);
  DrawBars(painter, QRect(0, chartHeight, width(), chartHeight - 4), CaptionOr("CHARTDUE", "Due, next 7 days"), forecast_);
  painter.setPen(palette().color(QPalette::WindowText));
  const QString retention =
      retention_ ? CaptionOr("CHARTRETENTION", "Retention after a week: %1 %").arg(qRound(*retention_ * 100))
                 : CaptionOr("CHARTRETENTIONUNKNOWN", "Retention after a week: not yet known");
  painter.drawText(QRect(0, chartHeight * 2, width(), line * 2), Qt::TextWordWrap, retention);
}

}  // namespace velmora
