// zicha on Linux: the main window on Qt 6 Widgets.
#include <QApplication>

#include "app/qt/qt_main_window.h"
#include "platform/fatal_error.h"

int main(int argc, char** argv) {
  zicha::InstallOutOfMemoryHandler();
  QApplication app(argc, argv);
  zicha::QtMainWindow window;
  window.ShowCentred();
  return app.exec();
}
