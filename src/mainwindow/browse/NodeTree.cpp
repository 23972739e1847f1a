#include "mainwindow/browse/NodeTree.h"

#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/ImageList.h"

namespace velmora {

namespace {

enum Role { KeyRole = Qt::UserRole + 1, PicturesRole };

// Draws each node with the picture its state calls for.
class NodeImageDelegate : public QStyledItemDelegate {
 public:
  explicit NodeImageDelegate(NodeTree *tree) : QStyledItemDelegate(tree), tree_(tree) {}

 protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QTreeWidgetItem *item = tree_->itemFromIndex(index);
    const QString image = tree_->ShownImage(item);
    if (image.isEmpty()) return;
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->icon = ImageByKey(image);
    option->decorationSize = QSize(16, 16);
  }

 private:
  NodeTree *tree_;
};

}  // namespace

NodeTree::NodeTree(QWidget *parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setUniformRowHeights(true);
  setIconSize(QSize(16, 16));
  setItemDelegate(new NodeImageDelegate(this));
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { emit nodeClicked(item); });
  // Enter on a node does what a click does, for keyboard users.
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { emit nodeClicked(item); });
}

void NodeTree::keyPressEvent(QKeyEvent *event) {
  const QTreeWidgetItem *before = currentItem();
  QTreeWidget::keyPressEvent(event);
  if (currentItem() != nullptr && currentItem() != before) emit nodeClicked(currentItem());
}

void NodeTree::Clear() {
  clear();
  nodes_.clear();
  pictures_.clear();
}

int NodeTree::PicturesIndex(const Pictures &pictures) {
  const auto found = std::find(pictures_.begin(), pictures_.end(), pictures);
  if (found != pictures_.end()) return static_cast<int>(found - pictures_.begin());
  pictures_.push_back(pictures);
  return static_cast<int>(pictures_.size()) - 1;
}

const NodeTree::Pictures &NodeTree::PicturesOf(const QTreeWidgetItem *item) const {
  static const Pictures none;
  const int index = item->data(0, PicturesRole).toInt();
  return index >= 0 && index < static_cast<int>(pictures_.size()) ? pictures_[static_cast<size_t>(index)] : none;
}

void NodeTree::ChangePictures(const QString &key, const std::function<void(Pictures &)> &change) {
  QTreeWidgetItem *item = Node(key);
  if (item == nullptr) return;
  Pictures pictures = PicturesOf(item);
  change(pictures);
  item->setData(0, PicturesRole, PicturesIndex(pictures));
}

QTreeWidgetItem *NodeTree::MakeItem(const QString &key, const QString &text, const QString &image,
                                    const QString &selectedImage) {
  auto *item = new QTreeWidgetItem(QStringList(text));
  item->setData(0, KeyRole, key);
  item->setData(0, PicturesRole, PicturesIndex({image, QString(), selectedImage}));
  nodes_.insert(key, item);
  return item;
}

QTreeWidgetItem *NodeTree::AddNode(const QString &parentKey, const QString &key, const QString &text,
                                   const QString &image, const QString &selectedImage) {
  if (nodes_.contains(key)) return nullptr;
  QTreeWidgetItem *parent = parentKey.isEmpty() ? nullptr : Node(parentKey);
  if (!parentKey.isEmpty() && parent == nullptr) return nullptr;
  QTreeWidgetItem *item = MakeItem(key, text, image, selectedImage);
  if (parent)
    parent->addChild(item);
  else
    addTopLevelItem(item);
  return item;
}

void NodeTree::AddChildren(const QString &parentKey, const std::vector<NewNode> &nodes) {
  QTreeWidgetItem *parent = Node(parentKey);
  if (parent == nullptr) return;
  QList<QTreeWidgetItem *> items;
  items.reserve(static_cast<qsizetype>(nodes.size()));
  for (const NewNode &node : nodes)
    if (!nodes_.contains(node.key)) items << MakeItem(node.key, node.text, node.image, node.selectedImage);
  parent->addChildren(items);
}

QString NodeTree::KeyOf(const QTreeWidgetItem *item) const {
  return item ? item->data(0, KeyRole).toString() : QString();
}

void NodeTree::SetExpandedImage(const QString &key, const QString &image) {
  ChangePictures(key, [&image](Pictures &p) { p.expanded = image; });
}

QString NodeTree::ShownImage(const QTreeWidgetItem *item) const {
  if (item == nullptr) return {};
  const Pictures &pictures = PicturesOf(item);
  if (item->isSelected() && !pictures.selected.isEmpty()) return pictures.selected;
  if (item->isExpanded() && !pictures.expanded.isEmpty()) return pictures.expanded;
  return pictures.image;
}

}  // namespace velmora
