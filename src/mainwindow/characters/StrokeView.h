#pragma once
// A character drawn stroke by stroke, as a pen writes it: the strokes not
// yet written faint, those written whole, and the one being written
// revealed along its median as the pen moves. Each stroke's shape is its
// SVG path drawn by QtSvg when painted (nothing is kept but the parsed
// paths, whatever the size); the median only says where the pen has reached.
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "dictionary/CharacterStrokes.h"

class QSvgRenderer;

namespace velmora {

class StrokeView : public QWidget {
  Q_OBJECT
 public:
  explicit StrokeView(QWidget *parent = nullptr);
  ~StrokeView() override;
  // The character's strokes, shown whole; none draws nothing.
  void SetStrokes(const CharacterStrokes *strokes);
  int StrokeCount() const { return static_cast<int>(strokes_.strokes.size()); }
  // Strokes fully written (StrokeCount when the character stands whole).
  int Written() const { return written_; }
  bool IsPlaying() const { return timer_.isActive(); }

  void Play();  // from where it stands, or from the start once whole
  void Pause();
  void Step();    // the stroke being written finished, or the next written whole
  void Replay();  // from the first stroke

  QSize sizeHint() const override { return {220, 220}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override { return width; }

 signals:
  // The pen moved on: a stroke finished, or playing started or stopped.
  void progressed();

 protected:
  void paintEvent(QPaintEvent *event) override;
  void changeEvent(QEvent *event) override;

 private:
  void Advance();
  void DrawGrid(class QPainter &painter, const QRect &square) const;
  // The strokes' drawings in the text colour: each stroke alone, and all.
  void MakeStrokeArt();
  QRect Square() const;
  QPainterPath PenPath(int stroke, double fraction) const;
  double MedianLength(int stroke) const;

  CharacterStrokes strokes_;
  std::vector<std::unique_ptr<QSvgRenderer>> strokeArt_;
  std::unique_ptr<QSvgRenderer> allArt_;
  int written_ = 0;
  double fraction_ = 0;  // of the stroke being written
  QTimer timer_;
};

}  // namespace velmora
