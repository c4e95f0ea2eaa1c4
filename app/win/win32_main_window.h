#pragma once
// MainWindow as a native Win32 window: user32 static, edit and button controls built from the
// window description, wide-character calls with explicit code page 936 conversion, and the
// keyboard rules applied in the message loop before a key reaches any control.
#ifdef _WIN32
#include <windows.h>

#include <array>
#include <string>

#include "app/lookup.h"

namespace zicha {

class Win32MainWindow final : public MainWindowPort {
 public:
  // Creates the window and its controls, centred on the screen, not yet shown. Ends the program
  // through FatalError when the window cannot be created.
  explicit Win32MainWindow(std::string endpoint = QueryEndpoint());
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  // Shows and activates the window with the focus in 编辑框1.
  void Show(int showCommand);
  HWND Window() const { return window_; }
  HWND Control(ControlId id) const { return controls_[static_cast<size_t>(id)]; }

  // Applies the keyboard rules to a message taken from the queue. True when the message was a
  // key the window handled itself, so it must not be translated or dispatched.
  bool HandleKey(const MSG& message);

  // MainWindowPort
  Text EmailText() override;
  void SetResultText(const Text& text) override;
  void RequestClose() override;
  void FocusControl(ControlId id) override;
  void SetBusy(bool busy) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);

  std::string endpoint_;
  HWND window_ = nullptr;
  std::array<HWND, 5> controls_{};
  HBRUSH white_ = nullptr;
};

// Runs the event loop until no window of the program is left; returns the exit code.
int RunMessageLoop(Win32MainWindow& window);

}  // namespace zicha
#endif
