// The initial-letter index tree of the main window.
#include "config/FileHelpers.h"
#include "data/IdiomStore.h"
#include "frmVELM.h"

namespace velmora {

void frmVELM::LoadIdiomTree() {
  NodeTree *tree = c_.trvIdiomDir;
  tree->setUpdatesEnabled(false);
  tree->Clear();
  for (const LetterCount &letter : LetterCounts()) {
    const QString key = NodeKey(letter.letter);
    tree->AddNode({}, key, letter.letter + QLatin1Char('(') + QString::number(letter.count) + QLatin1Char(')'),
                  QStringLiteral("book"));
    tree->SetExpandedImage(key, QStringLiteral("open"));
    std::vector<NodeTree::NewNode> idioms;
    for (const FiledIdiom &idiom : IdiomsFiledUnder(letter.letter))
      idioms.push_back({NodeKey(idiom.code), idiom.idiom, QStringLiteral("black"), QStringLiteral("select")});
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
