#include "mainwindow/browse/IndexView.h"

#include <QGuiApplication>

#include "config/FileHelpers.h"
#include "data/IdiomStore.h"

namespace velmora {

namespace {

// Letter nodes and idiom nodes share one set of keys. A letter from A to Z
// keeps "M" and the letter, an idiom with a numeric code "M" and the code;
// anything else carries its kind as well, so that no letter and no idiom can
// ever claim the same key ("5" as a letter beside the idiom of code 5).
QString LetterKey(const QString &letter) {
  const bool plain = letter.size() == 1 && letter[0] >= u'A' && letter[0] <= u'Z';
  return NodeKey(plain ? letter : QStringLiteral("letter:") + letter);
}

QString IdiomKey(const QString &code) {
  bool numeric = !code.isEmpty();
  for (const QChar c : code) numeric = numeric && c >= u'0' && c <= u'9';
  return NodeKey(numeric ? code : QStringLiteral("code:") + code);
}

}  // namespace

IndexView::IndexView(NodeTree *tree, Reader &reader, QObject *parent) : QObject(parent), tree_(tree), reader_(reader) {
  connect(tree_, &NodeTree::nodeClicked, this, &IndexView::trvIdiomDir_NodeClick);
}

void IndexView::LoadOnce() {
  if (loaded_) return;
  // The whole tree is built at the first showing, the pointer hidden meanwhile.
  QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  Load();
  QGuiApplication::restoreOverrideCursor();
  loaded_ = true;
}

void IndexView::Load() {
  NodeTree *tree = tree_;
  tree->setUpdatesEnabled(false);
  tree->Clear();
  for (const LetterCount &letter : LetterCounts()) {
    const QString key = LetterKey(letter.letter);
    tree->AddNode({}, key, letter.letter + QLatin1Char('(') + QString::number(letter.count) + QLatin1Char(')'),
                  QStringLiteral("book"));
    tree->SetExpandedImage(key, QStringLiteral("open"));
    std::vector<NodeTree::NewNode> idioms;
    for (const FiledIdiom &idiom : IdiomsFiledUnder(letter.letter))
      idioms.push_back({IdiomKey(idiom.code), idiom.idiom, QStringLiteral("black"), QStringLiteral("select")});
    tree->AddChildren(key, idioms);
  }
  tree->setUpdatesEnabled(true);
}

void IndexView::trvIdiomDir_NodeClick() {
  const QTreeWidgetItem *node = tree_->currentItem();
  if (node == nullptr) return;
  const QString idiom = node->text(0);
  if (node->childCount() > 0 || idiom == reader_.CurrentIdiom()) return;
  reader_.ShowIdiom(idiom, Reader::Reason::Chosen);
}

}  // namespace velmora
