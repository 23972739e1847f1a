#include "mainwindow/study/StudyChartsView.h"

#include <QDateTime>
#include <QLocale>
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

void StudyChartsView::Load(const QString &storePath, int64_t now, int hour) {
  std::vector<int64_t> past, coming;
  for (int day = -29; day <= 1; ++day) past.push_back(DayStart(now, day, hour));
  for (int day = 0; day <= 7; ++day) coming.push_back(DayStart(now, day, hour));
  today_ = QDateTime::fromSecsSinceEpoch(now).date();
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
  setAccessibleDescription(CaptionOr("CHARTSUMMARY", "%1 reviews in 30 days; %2 due in 7 days; retention %3")
                               .arg(reviewed)
                               .arg(due)
                               .arg(retention_ ? QStringLiteral("%1 %").arg(qRound(*retention_ * 100))
                                               : CaptionOr("CHARTUNKNOWN", "not yet known")));
  update();
}

void StudyChartsView::DrawBars(QPainter &painter, const QRect &area, const QString &title,
                               const std::vector<int> &values, const QString &firstDay, const QString &lastDay) const {
  const QFontMetrics metrics = painter.fontMetrics();
  const int peak = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
  const QColor text = palette().color(QPalette::WindowText), rule = palette().color(QPalette::Mid);
  painter.setPen(text);
  painter.drawText(area.left(), area.top() + metrics.ascent(), metrics.elidedText(title, Qt::ElideRight, area.width()));
  // The value axis: its numbers to the left, as wide as the largest.
  const QString most = QString::number(peak);
  const int axisWidth = metrics.horizontalAdvance(most) + 4;
  const QRect bars(area.left() + axisWidth, area.top() + metrics.height() + 2, area.width() - axisWidth,
                   area.height() - 2 * metrics.height() - 4);
  if (bars.height() <= 0 || bars.width() <= 0) return;
  // An empty chart has one value, 0, said once at the bottom.
  if (peak > 0)
    painter.drawText(QRect(area.left(), bars.top(), axisWidth - 4, metrics.height()), Qt::AlignRight | Qt::AlignTop,
                     most);
  painter.drawText(QRect(area.left(), bars.bottom() - metrics.height(), axisWidth - 4, metrics.height()),
                   Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0"));
  // The days under the first and the last bar.
  const QRect days(bars.left(), bars.bottom() + 2, bars.width(), metrics.height());
  painter.drawText(days, Qt::AlignLeft | Qt::AlignTop, firstDay);
  if (metrics.horizontalAdvance(firstDay + lastDay) + 8 < days.width())
    painter.drawText(days, Qt::AlignRight | Qt::AlignTop, lastDay);
  painter.setPen(rule);
  painter.drawLine(bars.bottomLeft(), bars.bottomRight());
  painter.drawLine(bars.topLeft(), bars.bottomLeft());
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
  const QLocale locale;
  const auto day = [&locale](const QDate &date) { return locale.toString(date, CaptionOr("CHARTDAYFORMAT", "M/d")); };
  const QString today = CaptionOr("CHARTTODAY", "today");
  DrawBars(painter, QRect(0, 0, width(), chartHeight - 4), CaptionOr("CHARTREVIEWS", "Reviews, 30 days"), reviews_,
           day(today_.addDays(-29)), today);
  DrawBars(painter, QRect(0, chartHeight, width(), chartHeight - 4), CaptionOr("CHARTDUE", "Due, next 7 days"),
           forecast_, today, day(today_.addDays(static_cast<qint64>(std::max<size_t>(forecast_.size(), 1)) - 1)));
  painter.setPen(palette().color(QPalette::WindowText));
  const QString retention =
      retention_ ? CaptionOr("CHARTRETENTION", "Retention after a week: %1 %").arg(qRound(*retention_ * 100))
                 : CaptionOr("CHARTRETENTIONUNKNOWN", "Retention after a week: not yet known");
  painter.drawText(QRect(0, chartHeight * 2, width(), line * 2), Qt::TextWordWrap, retention);
}

}  // namespace velmora
