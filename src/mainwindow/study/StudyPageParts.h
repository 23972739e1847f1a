#pragma once
// The makers the Study view's pages share: a wrapped plain-text label and a
// column without margins.
#include <QLabel>
#include <QVBoxLayout>

namespace velmora {

inline QLabel *StudyLabel(QWidget *parent, const char *name) {
  auto *label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setWordWrap(true);
  label->setTextFormat(Qt::PlainText);
  return label;
}

inline QVBoxLayout *StudyColumn(QWidget *page) {
  auto *column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  return column;
}

}  // namespace velmora
