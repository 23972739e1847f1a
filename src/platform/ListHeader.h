#pragma once
// A list's column header that measures its sections in the header's own
// font. QHeaderView measures every section as if bold, for the headers
// whose highlighted section turns bold; a list whose sections never do
// would load the bold faces (the CJK one is megabytes, read from disk after
// a boot) before its window can show, only to measure them.
#include <QHeaderView>

class QTableView;
class QTreeView;

namespace velmora {

class ListHeader : public QHeaderView {
  Q_OBJECT
 public:
  // Set on the list in place of its own header, as the list made that one.
  static ListHeader *InstallOn(QTreeView *list);
  static ListHeader *InstallOn(QTableView *list);

 protected:
  using QHeaderView::QHeaderView;
  QSize sectionSizeFromContents(int logicalIndex) const override;
};

}  // namespace velmora
