#pragma once
// The lookup and the window's event handling, written once for both front ends.

#include <optional>
#include <string>
#include <string_view>

#include "app/window_description.h"
#include "text/text.h"

namespace zicha {

// What the handlers need of the window. Text crosses it in code page 936, unchanged (no
// trimming, no line-break conversion).
class MainWindowPort {
 public:
  virtual ~MainWindowPort() = default;
  // The text of 编辑框1 (empty when the box is empty).
  virtual Text EmailText() = 0;
  // Replaces the whole text of 编辑框2.
  virtual void SetResultText(const Text& text) = 0;
  // Asks the window to close; nothing refuses it.
  virtual void RequestClose() = 0;
  virtual void FocusControl(ControlId id) = 0;
  // Shows or ends the wait cursor over the window while a lookup runs.
  virtual void SetBusy(bool busy) = 0;
};

// "http://" + the lookup host (a build setting) + "/index.php".
std::string QueryEndpoint();

// One lookup: the address of 编辑框1 goes as the body "data=" + EncodeEmail(address) in a POST to
// `endpoint`; the answer, percent-decoded from UTF-8 to code page 936 with its first "?" removed,
// replaces the text of 编辑框2, even when it is empty (a failed lookup empties the box).
void QueryLeak(MainWindowPort& window, std::string_view endpoint = QueryEndpoint());

// Key codes and modifier bits as the handlers see them.
inline constexpr int kKeyTab = 9, kKeyEnter = 13, kKeyEscape = 27;
inline constexpr int kModCtrl = 1, kModShift = 2, kModAlt = 4;

// Key-down handler of 编辑框1: Enter (with any modifiers) runs a lookup and returns true; other
// keys return no value. Never false, so every key still reaches the box.
std::optional<bool> OnEmailKey(MainWindowPort& window, int keyCode, int modifiers,
                               std::string_view endpoint = QueryEndpoint());
// Click handler of 按钮1.
void OnQueryClick(MainWindowPort& window, std::string_view endpoint = QueryEndpoint());

// Every key pressed in the window, in this order: Tab / Shift+Tab move the focus along the tab
// stops; Esc asks the window to close; Enter has no window action; the focused control's key-down
// handler runs (only 编辑框1 has one). Returns true when the key goes on to the focused control.
bool DispatchKey(MainWindowPort& window, ControlId focused, int keyCode, int modifiers,
                 std::string_view endpoint = QueryEndpoint());

}  // namespace zicha
