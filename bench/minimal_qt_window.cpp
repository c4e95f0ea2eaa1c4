// The baseline of the start-up benchmark: the smallest Qt 6 Widgets program that shows a titled
// window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("minimal-qt-window");
  window.resize(357, 273);
  window.show();
  return app.exec();
}
