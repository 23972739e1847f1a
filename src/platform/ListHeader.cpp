#include "ListHeader.h"

#include <QIcon>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QTreeView>

namespace velmora {

ListHeader *ListHeader::InstallOn(QTreeView *list) {
  const QHeaderView *made = list->header();
  auto *header = new ListHeader(Qt::Horizontal, list);
  header->setSectionsMovable(made->sectionsMovable());
  header->setStretchLastSection(made->stretchLastSection());
  header->setDefaultAlignment(made->defaultAlignment());
  list->setHeader(header);
  return header;
}

ListHeader *ListHeader::InstallOn(QTableView *list) {
  const QHeaderView *made = list->horizontalHeader();
  auto *header = new ListHeader(Qt::Horizontal, list);
  header->setSectionsMovable(made->sectionsMovable());
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // A list's columns are not highlighted with the current row: that would
  // measure them in bold.
  header->setHighlightSections(false);
  list->setHorizontalHeader(header);
  return header;
}

QSize ListHeader::sectionSizeFromContents(int logicalIndex) const {
  if (highlightSections() || model() == nullptr) return QHeaderView::sectionSizeFromContents(logicalIndex);
  const auto data = [&](int role) { return model()->headerData(logicalIndex, orientation(), role); };
  if (const QVariant hint = data(Qt::SizeHintRole); hint.isValid()) return hint.toSize();
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.section = logicalIndex;
  const QVariant font = data(Qt::FontRole);
  option.fontMetrics = font.typeId() == QMetaType::QFont ? QFontMetrics(font.value<QFont>()) : fontMetrics();
  option.text = data(Qt::DisplayRole).toString();
  const QVariant decoration = data(Qt::DecorationRole);
  option.icon = decoration.value<QIcon>();
  if (option.icon.isNull()) option.icon = decoration.value<QPixmap>();
  if (isSortIndicatorShown()) option.sortIndicator = QStyleOptionHeader::SortDown;
  return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}

}  // namespace velmora
