// The Win32 window under Wine (on a virtual display): start-up, the controls and their texts,
// the keyboard rules, and a lookup driven through the window against a real server.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/win/win32_main_window.h"
#include "http/tests/test_server.h"

namespace zicha {
namespace {

using testing::Answer;
using testing::ReceivedRequest;
using testing::TestServer;

std::wstring TextOf(HWND h) {
  std::wstring s(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  s.resize(static_cast<size_t>(GetWindowTextW(h, s.data(), static_cast<int>(s.size()))));
  return s;
}

// Runs the window's own message handling until the queue is empty; true when the event loop
// was told to end (WM_QUIT).
bool Pump(Win32MainWindow& w) {
  MSG m;
  bool quit = false;
  for (int i = 0; i < 10000 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
    quit |= m.message == WM_QUIT;
    if (w.HandleKey(m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return quit;
}

bool Key(Win32MainWindow& w, HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
  return Pump(w);
}

class Win32Window : public ::testing::Test {
 protected:
  Win32Window()
      : server_([this](const ReceivedRequest&) { return Answer(200, "", answer_); }), window_(server_.Url("/index.php")) {
    window_.Show(SW_SHOWNORMAL);
    Pump(window_);
  }
  HWND control(ControlId id) const { return window_.Control(id); }

  std::string answer_ = "%EF%BB%BF%E6%9C%AA%E5%8F%91%E7%8E%B0?";  // BOM, 未发现, "?"
  TestServer server_;
  Win32MainWindow window_;
};

TEST_F(Win32Window, StartsAsDescribed) {
  EXPECT_EQ(TextOf(window_.Window()), L"数据泄露自查:");
  RECT r;
  GetWindowRect(window_.Window(), &r);
  EXPECT_EQ(r.right - r.left, kMainWindow.outerWidth);
  EXPECT_EQ(r.bottom - r.top, kMainWindow.outerHeight);
  const LONG style = GetWindowLongW(window_.Window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_NE(SendMessageW(window_.Window(), WM_GETICON, ICON_BIG, 0) != 0 ||
                GetClassLongPtrW(window_.Window(), GCLP_HICON) != 0,
            0);
  for (const ControlDescription& c : kMainWindow.controls) {
    RECT rc;
    GetWindowRect(control(c.id), &rc);
    MapWindowPoints(nullptr, window_.Window(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, c.x) << c.name;
    EXPECT_EQ(rc.top, c.y) << c.name;
    EXPECT_EQ(rc.right - rc.left, c.width) << c.name;
    EXPECT_EQ(rc.bottom - rc.top, c.height) << c.name;
    EXPECT_EQ((GetWindowLongW(control(c.id), GWL_STYLE) & WS_TABSTOP) != 0, c.tabOrder > 0) << c.name;
  }
  EXPECT_EQ(TextOf(control(ControlId::k标签1)), L"邮箱:");
  EXPECT_EQ(TextOf(control(ControlId::k按钮1)), L"查询");
  EXPECT_EQ(TextOf(control(ControlId::k标签2)), L"查询结果:");
  EXPECT_EQ(TextOf(control(ControlId::k编辑框2)), L"");
  EXPECT_TRUE(GetWindowLongW(control(ControlId::k编辑框2), GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(GetFocus(), control(ControlId::k编辑框1));
}

TEST_F(Win32Window, TabCyclesAndEnterLooksUp) {
  Key(window_, control(ControlId::k编辑框1), VK_TAB);
  EXPECT_EQ(GetFocus(), control(ControlId::k按钮1));
  Key(window_, control(ControlId::k按钮1), VK_RETURN);  // no default button
  EXPECT_EQ(server_.Requests().size(), 0u);
  Key(window_, control(ControlId::k按钮1), VK_TAB);
  EXPECT_EQ(GetFocus(), control(ControlId::k编辑框2));
  Key(window_, control(ControlId::k编辑框2), VK_TAB);
  EXPECT_EQ(GetFocus(), control(ControlId::k编辑框1));

  SetWindowTextW(control(ControlId::k编辑框1), L"abc");
  Key(window_, control(ControlId::k编辑框1), VK_RETURN);
  ASSERT_EQ(server_.Requests().size(), 1u);
  EXPECT_EQ(server_.Requests()[0].body, "data=WVdKag==");
  EXPECT_EQ(TextOf(control(ControlId::k编辑框2)), L"未发现?");
  EXPECT_EQ(GetFocus(), control(ControlId::k编辑框1));
}

TEST_F(Win32Window, ButtonClickLooksUpAndLongAnswersFit) {
  answer_.clear();  // far over an edit box's default limit of 32 K characters
  for (int i = 0; i < 2000; ++i) answer_ += "leak " + std::to_string(100000 + i) + " found%0D%0Aagain ";
  SendMessageW(control(ControlId::k按钮1), BM_CLICK, 0, 0);
  Pump(window_);
  EXPECT_EQ(server_.Requests().size(), 1u);
  EXPECT_EQ(GetWindowTextLengthW(control(ControlId::k编辑框2)), 2000 * 25);  // "leak 100000 found" CR LF "again "
}

TEST_F(Win32Window, EscClosesFromTheResultBox) {
  SetFocus(control(ControlId::k编辑框2));
  EXPECT_TRUE(Key(window_, control(ControlId::k编辑框2), VK_ESCAPE));  // the event loop ends with the window
  EXPECT_FALSE(IsWindow(window_.Window()));
}

}  // namespace
}  // namespace zicha
