#pragma once
// The Study view's settings page: where new cards come from, how many a
// day, the retention the schedule aims at and the kind of questions.
#include <QWidget>

#include "practice/StudySession.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QSpinBox;

namespace velmora {

class StudySettingsView : public QWidget {
  Q_OBJECT
 public:
  explicit StudySettingsView(QWidget *parent = nullptr);
  void Show(const StudySettings &settings);
  // What the page shows, as settings to store.
  StudySettings Chosen() const;
  // The page's controls in Tab order.
  QList<QWidget *> TabOrder() const;
  QWidget *FirstControl() const;

 signals:
  // "Done": the settings are to be kept.
  void done();

 private:
  // The combo box's kinds and the days' suffix, in the interface language.
  void WordKinds();
  QCheckBox *fromHistory_, *fromEdition_;
  QSpinBox *historyDays_, *perDay_, *dayStart_;
  QDoubleSpinBox *retention_;
  QComboBox *kind_;
  QPushButton *done_;
};

}  // namespace velmora
