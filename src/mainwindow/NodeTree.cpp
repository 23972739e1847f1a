#include "NodeTree.h"

#include <QStyledItemDelegate>

#include "ImageList.h"

namespace velmora {

namespace {

enum Role { KeyRole = Qt::UserRole + 1, ImageRole, ExpandedImageRole, SelectedImageRole };

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
}

void NodeTree::Clear() {
  clear();
  nodes_.clear();
}

QTreeWidgetItem *NodeTree::MakeItem(const QString &key, const QString &text, const QString &image,
                                    const QString &selectedImage) {
  auto *item = new QTreeWidgetItem(QStringList(text));
  item->setData(0, KeyRole, key);
  item->setData(0, ImageRole, image);
  if (!selectedImage.isEmpty()) item->setData(0, SelectedImageRole, selectedImage);
  nodes_.insert(key, item);
  return item;
}

QTreeWidgetItem *NodeTree::AddNode(const QString &parentKey, const QString &key, const QString &text,
                                   const QString &image, const QString &selectedImage) {
  if (nodes_.contains(key)) return nullptr;
  QTreeWidgetItem *parent = parentKey.isEmpty() ? nullptr : Node(parentKey);
  if (!parentKey.isEmpty() && parent == nullptr) return nullptr;
  QTreeWidgetItem *item = MakeItem(key, text, image, selectedImage);
  if (parent) parent->addChild(item);
  else addTopLevelItem(item);
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
  if (QTreeWidgetItem *item = Node(key)) item->setData(0, ExpandedImageRole, image);
}

void NodeTree::SetSelectedImage(const QString &key, const QString &image) {
  if (QTreeWidgetItem *item = Node(key)) item->setData(0, SelectedImageRole, image);
}

QString NodeTree::ShownImage(const QTreeWidgetItem *item) const {
  if (item == nullptr) return {};
  const QString selected = item->data(0, SelectedImageRole).toString();
  if (item->isSelected() && !selected.isEmpty()) return selected;
  const QString expanded = item->data(0, ExpandedImageRole).toString();
  if (item->isExpanded() && !expanded.isEmpty()) return expanded;
  return item->data(0, ImageRole).toString();
}

}  // namespace velmora
