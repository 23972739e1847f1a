#pragma once
// The index tree: nodes found by key, each with a picture, a picture shown
// while it is expanded and one shown while it is selected (by image key).
#include <QHash>
#include <QTreeWidget>
#include <functional>
#include <vector>

namespace velmora {

class NodeTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit NodeTree(QWidget *parent = nullptr);

  void Clear();
  // Adds a root node (parentKey empty) or a child; nothing when the key is in
  // use or the parent is unknown.
  QTreeWidgetItem *AddNode(const QString &parentKey, const QString &key, const QString &text, const QString &image,
                           const QString &selectedImage = {});
  // Adds many children of one parent at once.
  struct NewNode {
    QString key, text, image, selectedImage;
  };
  void AddChildren(const QString &parentKey, const std::vector<NewNode> &nodes);
  QTreeWidgetItem *Node(const QString &key) const { return nodes_.value(key); }
  QString KeyOf(const QTreeWidgetItem *item) const;
  void SetExpandedImage(const QString &key, const QString &image);
  // The image key the node shows now: selected, expanded or its own.
  QString ShownImage(const QTreeWidgetItem *item) const;

 signals:
  // The user clicked a node (NodeClick).
  void nodeClicked(QTreeWidgetItem *item);

 protected:
  // A node reached with the arrow keys counts as clicked: the keyboard
  // browses the tree as the mouse does.
  void keyPressEvent(QKeyEvent *event) override;

 private:
  // The pictures of a node: its own, when expanded, when selected.
  struct Pictures {
    QString image, expanded, selected;
    bool operator==(const Pictures &) const = default;
  };
  QTreeWidgetItem *MakeItem(const QString &key, const QString &text, const QString &image,
                            const QString &selectedImage);
  // Nodes share their pictures: each node keeps only the number of its set.
  int PicturesIndex(const Pictures &pictures);
  const Pictures &PicturesOf(const QTreeWidgetItem *item) const;
  void ChangePictures(const QString &key, const std::function<void(Pictures &)> &change);

  QHash<QString, QTreeWidgetItem *> nodes_;
  std::vector<Pictures> pictures_;
};

}  // namespace velmora
