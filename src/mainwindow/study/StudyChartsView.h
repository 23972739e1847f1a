#pragma once
// Three small charts of a learner's progress, drawn with QPainter: reviews a
// day over the last 30 days, the cards due on each of the next 7 days, and
// the retention reached on cards studied for a week or more.
#include <QDate>
#include <QFutureWatcher>
#include <QWidget>
#include <optional>
#include <vector>

#include "data/StudyStore.h"

namespace velmora {

class StudyChartsView : public QWidget {
  Q_OBJECT
 public:
  explicit StudyChartsView(QWidget *parent);
  ~StudyChartsView() override;
  // Counts the figures of the store's file up to the day of now on a worker
  // (a year's log takes a while) and shows them when they come.
  void Load(const QString &storePath, int64_t now, int dayStartHour);
  bool Loading() const { return loading_.isRunning(); }
  void SetFigures(std::vector<int> reviewsPerDay, std::vector<int> dueForecast, std::optional<double> retention);
  QSize sizeHint() const override { return {160, 200}; }

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  // The bars under their title, over a value axis (0 and the most) and
  // the days of the first and last bar.
  void DrawBars(class QPainter &painter, const QRect &area, const QString &title, const std::vector<int> &values,
                const QString &firstDay, const QString &lastDay) const;
  std::vector<int> reviews_, forecast_;
  QDate today_ = QDate::currentDate();
  std::optional<double> retention_;
  QFutureWatcher<StudyStore::Figures> loading_;
};

}  // namespace velmora
