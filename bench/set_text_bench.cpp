// Setting a 4 MiB answer into 编辑框2 of the real window (offscreen): the whole SetResultText
// (936 -> UTF-16 and QPlainTextEdit::setPlainText), against setPlainText alone of the same text.
#include <QApplication>
#include <QPlainTextEdit>

#include <cstdio>
#include <string>

#include "app/qt/qt_main_window.h"
#include "bench/bench_util.h"
#include "codec/codepage.h"
#include "codec/wide.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zicha::QtMainWindow window("http://127.0.0.1:9/index.php");
  window.ShowCentred();
  // 4 MiB of code page 936 text: Chinese, ASCII and line breaks, as an answer lists leaks.
  const std::string line = "\xD0\xB9\xC2\xB6 2024-05-01 example-shop: \xD3\xCA\xCF\xE4, \xC3\xDC\xC2\xEB\r\n";
  std::string bytes;
  while (bytes.size() < (4u << 20)) bytes += line;
  const zicha::Text text(bytes);
  const QString same = QString::fromStdU16String([&] {
    zicha::WideText w = zicha::ToWide(text, zicha::kCp936);
    w.resize(w.find(u'\0'));
    return w;
  }());
  const double ours = zicha::bench::MedianSeconds(5, [&] { window.SetResultText(text); });
  const double plain = zicha::bench::MedianSeconds(5, [&] { window.ResultBox()->setPlainText(same); });
  std::printf("4 MiB into the result box: SetResultText %.3f s, setPlainText alone %.3f s (%.2fx)\n", ours, plain,
              ours / plain);
  return 0;
}
