// The search list of the main window: every idiom, the type-ahead search and
// the deferred display of the chosen row.
#include <QHeaderView>

#include "data/Conn.h"
#include "frmVELM.h"

namespace velmora {

void frmVELM::LoadIdiomList() {
  const RecordSet highest = OpenRS(QStringLiteral("SELECT max(code) as Maxcode FROM VELM "), false);
  if (const auto code = highest.Field(QStringLiteral("Maxcode"))) maxIdiomCode_ = *code;

  QStringList idioms, spells;
  RecordSet all = OpenRS(QStringLiteral("SELECT * FROM VELM ORDER BY Idiom "), false);
  idioms.reserve(static_cast<qsizetype>(all.RowCount()));
  spells.reserve(static_cast<qsizetype>(all.RowCount()));
  for (; !all.EOF_(); all.MoveNext()) {
    idioms << all.Text(QStringLiteral("Idiom"));
    spells << all.Text(QStringLiteral("Spell"));
  }
  finder_.Build(idioms, spells);
  listModel_.SetRows(std::move(idioms));
  all = RecordSet();
  ReleaseQueryCaches();
  c_.lstKovSearch->header()->resizeSection(0, 20);
  c_.lstKovSearch->header()->resizeSection(1, 120);

  if (listModel_.rowCount() > 0) {
    SetCurrentListRow(0);
    listPickFlag_ = 1;
    if (!timer1_.isActive()) timer1_.start();
  }
}

int frmVELM::CurrentListRow() const {
  const QModelIndex current = c_.lstKovSearch->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void frmVELM::SetCurrentListRow(int row) {
  const QModelIndex index = listModel_.index(row, 1);
  c_.lstKovSearch->setCurrentIndex(index);
  c_.lstKovSearch->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void frmVELM::txtSearchKey_Change() {
  const int row = finder_.Find(c_.txtSearchKey->text().trimmed());
  if (row < 0) return;
  SetCurrentListRow(row);
  listPickFlag_ = 1;
  if (!timer1_.isActive()) timer1_.start();
}

void frmVELM::lstKovSearch_RowNotify(int row) {
  if (row < 0) return;
  listPickFlag_ = 1;
  if (!timer1_.isActive()) timer1_.start();
}

void frmVELM::Timer1_Timer() {
  const QString idiom = listPickFlag_ == 1 ? listModel_.CellText(CurrentListRow(), 2) : QString();
  DisplayIdiom(idiom);
  timer1_.stop();
}

}  // namespace velmora
