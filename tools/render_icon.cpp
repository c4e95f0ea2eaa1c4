// Renders the program's SVG icon to PNG files of the given sizes (for the Windows .ico, made by
// scripts/make-icon.sh). Usage: render_icon SVG OUT_PREFIX SIZE...
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 4) return 2;
  const QIcon icon(QString::fromLocal8Bit(argv[1]));
  for (int i = 3; i < argc; ++i) {
    const int size = QString(argv[i]).toInt();
    if (!icon.pixmap(size, size).save(QString("%1%2.png").arg(argv[2]).arg(size))) return 1;
  }
  return 0;
}
