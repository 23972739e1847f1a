// The initial-letter index tree of the main window.
#include "data/Conn.h"
#include "frmVELM.h"
#include "startup/FileHelpers.h"

namespace velmora {

namespace {

const QString kLetterQuery = QStringLiteral(
    "SELECT First(VELM.FirstA) AS FirstA, Count(VELM.FirstA) AS NumberOfDups FROM VELM GROUP BY VELM.FirstA "
    "HAVING (((Count(VELM.FirstA))>1))");
// The letter is a bound value, so that any letter text reads back safely.
const QString kIdiomsOfLetterQuery =
    QStringLiteral("SELECT VELM.Code, VELM.Idiom FROM VELM WHERE VELM.FirstA=? ORDER BY VELM.Idiom");

}  // namespace

void frmVELM::LoadIdiomTree() {
  NodeTree *tree = c_.trvIdiomDir;
  tree->setUpdatesEnabled(false);
  tree->Clear();
  for (RecordSet letters = OpenRS(kLetterQuery, true); !letters.EOF_(); letters.MoveNext()) {
    const QString letter = letters.Text(QStringLiteral("FirstA"));
    const QString key = NodeKey(letter);
    tree->AddNode({}, key, letter + QLatin1Char('(') + letters.Text(QStringLiteral("NumberOfDups")) + QLatin1Char(')'),
                  QStringLiteral("book"));
    tree->SetExpandedImage(key, QStringLiteral("open"));
    std::vector<NodeTree::NewNode> idioms;
    for (RecordSet rows = OpenRS(kIdiomsOfLetterQuery, true, {letter}); !rows.EOF_(); rows.MoveNext())
      idioms.push_back({NodeKey(rows.Text(QStringLiteral("Code"))), rows.Text(QStringLiteral("Idiom")),
                        QStringLiteral("black"), QStringLiteral("select")});
    tree->AddChildren(key, idioms);
  }
  tree->setUpdatesEnabled(true);
}

void frmVELM::trvIdiomDir_NodeClick() {
  const QTreeWidgetItem *node = c_.trvIdiomDir->currentItem();
  if (node == nullptr) return;
  const QString idiom = node->text(0);
  if (node->childCount() > 0 || idiom == c_.txtIdiom->text()) return;
  DisplayIdiom(idiom);
}

}  // namespace velmora
