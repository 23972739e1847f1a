// The floor of a Qt Widgets start: one window of the main window's design
// size with one label of Chinese text, nothing else. bench_startup starts it
// in turn with Velmora, so that Velmora's start reads as a ratio of it.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QWidget window;
  // 8190 x 5565 twips at 15 twips a pixel.
  window.resize(546, 371);
  auto *label = new QLabel(QStringLiteral("画龙点睛 huà lóng diǎn jīng"), &window);
  (new QVBoxLayout(&window))->addWidget(label);
  window.show();
  return QApplication::exec();
}
