#pragma once
// MainWindow on Qt 6 Widgets, built from the window description. Keys of every control pass
// through one event filter that runs the portable dispatch before the control sees them.

#include <QWidget>
#include <string>

#include "app/lookup.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zicha {

class QtMainWindow final : public QWidget, public MainWindowPort {
 public:
  // `endpoint`: where lookups go (the program's own QueryEndpoint(); tests give their own).
  explicit QtMainWindow(std::string endpoint = QueryEndpoint());

  // Shows the window centred on its screen, activated, with the focus in 编辑框1.
  void ShowCentred();

  QWidget* Control(ControlId id) const;
  QLineEdit* EmailBox() const { return email_; }
  QPlainTextEdit* ResultBox() const { return result_; }
  QPushButton* QueryButton() const { return button_; }

  // MainWindowPort
  Text EmailText() override;
  void SetResultText(const Text& text) override;
  void RequestClose() override;
  void FocusControl(ControlId id) override;
  void SetBusy(bool busy) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string endpoint_;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLineEdit* email_ = nullptr;
  QPushButton* button_ = nullptr;
  QPlainTextEdit* result_ = nullptr;
};

// Qt's key and modifiers as the handlers see them: Windows virtual-key codes (13 for Enter on
// the main keyboard and the keypad) and the bits Ctrl 1, Shift 2, Alt 4.
int KeyCodeOf(int qtKey);
int ModifiersOf(Qt::KeyboardModifiers modifiers);

}  // namespace zicha
