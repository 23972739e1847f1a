#pragma once
// The idiom with each syllable of its reading above its character, drawn
// over the idiom box and the reading's box below it (whose one reading it
// shows) when they are tall enough to read both lines. A click on a
// character tells which (characterClicked: its card); elsewhere a click
// gives the boxes back (to select or copy); leaving them brings the ruby
// again.
#include <QLineEdit>
#include <QWidget>
#include <utility>
#include <vector>

namespace velmora {

class RubyView : public QWidget {
  Q_OBJECT
 public:
  // Over the boxes, in their parent (objectName "picRuby").
  RubyView(QLineEdit *idiom, QLineEdit *reading);
  // The pairs of the idiom on display; none hides the ruby (so does a
  // reading box that holds more than one reading).
  void SetPairs(std::vector<std::pair<QString, QString>> pairs);
  // Below this height the two lines would be too small to read.
  static constexpr int kLeastHeight = 34;

 signals:
  void characterClicked(int index);

 protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void Follow();
  void StackOverTheBoxes();
  struct Fonts {
    int height = -1;
    QFont base, character, syllable;
  };
  const Fonts &FontsFor(int height);
  // Each pair's column, left to right, as drawn.
  std::vector<QRect> Columns();
  QLineEdit *box_, *reading_;
  Fonts fonts_;
  std::vector<std::pair<QString, QString>> pairs_;
};

}  // namespace velmora
