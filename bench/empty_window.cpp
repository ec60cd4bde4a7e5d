// The yardstick for start-up: the least a Qt Widgets program does to show one empty window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(266, 228);
  window.show();
  return app.exec();
}
