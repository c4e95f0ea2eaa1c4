#include "app/win/win32_main_window.h"

#include <string_view>

#include "codec/codepage.h"
#include "codec/wide.h"
#include "platform/fatal_error.h"

namespace zicha {
namespace {

constexpr wchar_t kClassName[] = L"ZichaMainWindow";
constexpr int kFirstControlId = 100;
constexpr int kIconResource = 1;

std::wstring Wide(std::string_view utf8) {
  const WideText w = ToWide(Text(utf8), kCpUtf8);
  return std::wstring(w.begin(), w.begin() + static_cast<std::ptrdiff_t>(w.find(u'\0')));
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel: return L"STATIC";
    case ControlKind::kPushButton: return L"BUTTON";
    default: return L"EDIT";
  }
}

DWORD StyleOf(const ControlDescription& c) {
  DWORD style = WS_CHILD | WS_VISIBLE | (c.tabOrder > 0 ? WS_TABSTOP : 0);
  switch (c.kind) {
    case ControlKind::kLabel: return style | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
    case ControlKind::kEdit: return style | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::kPushButton: return style | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
    case ControlKind::kMultiLineReadOnlyEdit:
      return style | ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL;
  }
  return style;
}

int ModifierBits() {
  auto down = [](int vk) { return (GetKeyState(vk) & 0x8000) != 0; };
  return (down(VK_CONTROL) ? kModCtrl : 0) | (down(VK_SHIFT) ? kModShift : 0) | (down(VK_MENU) ? kModAlt : 0);
}

}  // namespace

Win32MainWindow::Win32MainWindow(std::string endpoint) : endpoint_(std::move(endpoint)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance;
  cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  cls.hIconSm = cls.hIcon;
  cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kClassName;
  RegisterClassExW(&cls);  // a second window finds the class registered already

  const WindowDescription& d = kMainWindow;
  const int left = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), d.outerWidth);
  const int top = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), d.outerHeight);
  window_ = CreateWindowExW(0, kClassName, Wide(d.title).c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, left, top,
                            d.outerWidth, d.outerHeight, nullptr, nullptr, instance, this);
  if (window_ == nullptr) FatalError("无法创建主窗口");

  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (size_t i = 0; i < d.controls.size(); ++i) {
    const ControlDescription& c = d.controls[i];
    const DWORD exStyle = c.kind == ControlKind::kEdit || c.kind == ControlKind::kMultiLineReadOnlyEdit ? WS_EX_CLIENTEDGE : 0;
    HWND h = CreateWindowExW(exStyle, ClassOf(c.kind), Wide(c.initialText).c_str(), StyleOf(c), c.x, c.y, c.width,
                             c.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                             instance, nullptr);
    if (h == nullptr) FatalError("无法创建窗口控件");
    SendMessageW(h, WM_SETFONT, font, FALSE);
    if (c.kind != ControlKind::kLabel && c.kind != ControlKind::kPushButton) SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
    controls_[static_cast<size_t>(c.id)] = h;
  }
  white_ = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
}

Win32MainWindow::~Win32MainWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
  DeleteObject(white_);
}

void Win32MainWindow::Show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  SetFocus(Control(ControlId::k编辑框1));
}

bool Win32MainWindow::HandleKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  ControlId focused = ControlId::k标签1;  // the window itself: no handler
  bool ours = message.hwnd == window_;
  for (const ControlDescription& c : kMainWindow.controls) {
    if (Control(c.id) == message.hwnd) focused = c.id, ours = true;
  }
  if (!ours) return false;
  return !DispatchKey(*this, focused, static_cast<int>(message.wParam), ModifierBits(), endpoint_);
}

Text Win32MainWindow::EmailText() {
  HWND edit = Control(ControlId::k编辑框1);
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, u'\0');
  GetWindowTextW(edit, reinterpret_cast<LPWSTR>(text.data()), static_cast<int>(text.size()));
  return FromWide(text, kCp936);
}

void Win32MainWindow::SetResultText(const Text& text) {
  const WideText wide = ToWide(text, kCp936);
  SetWindowTextW(Control(ControlId::k编辑框2), reinterpret_cast<LPCWSTR>(wide.c_str()));
}

void Win32MainWindow::RequestClose() { SendMessageW(window_, WM_CLOSE, 0, 0); }

void Win32MainWindow::FocusControl(ControlId id) { SetFocus(Control(id)); }

void Win32MainWindow::SetBusy(bool busy) {
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

LRESULT CALLBACK Win32MainWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      if (self != nullptr && HIWORD(w) == BN_CLICKED &&
          reinterpret_cast<HWND>(l) == self->Control(ControlId::k按钮1)) {
        OnQueryClick(*self, self->endpoint_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      // Labels on the face colour; the read-only result box stays black on white.
      if (self != nullptr && reinterpret_cast<HWND>(l) == self->Control(ControlId::k编辑框2)) {
        SetTextColor(reinterpret_cast<HDC>(w), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(w), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(self->white_);
      }
      SetTextColor(reinterpret_cast<HDC>(w), RGB(0, 0, 0));
      SetBkMode(reinterpret_cast<HDC>(w), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
      DestroyWindow(window);  // nothing refuses it
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

int RunMessageLoop(Win32MainWindow& window) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.HandleKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace zicha
