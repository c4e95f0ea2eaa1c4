// The lookup and the key dispatch over an in-memory window, against a real server on 127.0.0.1.
#include "app/lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tests/in_memory_window.h"
#include "http/tests/test_server.h"

namespace zicha {
namespace {

using testing::Answer;
using testing::ReceivedRequest;
using testing::TestServer;

using testing::InMemoryWindow;

TEST(Lookup, TheRequestOnTheWire) {
  TestServer server([](const ReceivedRequest&) { return Answer(200, "", "ok"); });
  InMemoryWindow window;
  window.email = Text("abc");
  QueryLeak(window, server.Url("/index.php"));
  ASSERT_EQ(server.Requests().size(), 1u);
  const ReceivedRequest r = server.Requests()[0];
  EXPECT_EQ(r.line, "POST /index.php HTTP/1.1");
  EXPECT_EQ(r.body, "data=WVdKag==");
  EXPECT_EQ(r.Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  EXPECT_EQ(r.Header("Accept"), "*/*");
  EXPECT_EQ(r.Header("Referer"), server.Url("/index.php"));
  EXPECT_EQ(r.Header("Accept-Language"), "zh-cn");
  EXPECT_EQ(r.Header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(window.result, "ok");
  EXPECT_EQ(window.busyOn, 1);
  EXPECT_EQ(window.busyOff, 1);
}

TEST(Lookup, AnswersAsShown) {
  struct Case {
    const char* answer;
    const char* shown;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"?abc", "abc"},
      {"a?b?c", "ab?c"},
      {"%3Fx", "x"},
      {"%3F%3F", "?"},
      {"%e4%b8%ad", "\xD6\xD0"},            // 中
      {"%EF%BB%BF%E6%B2%A1", "\xC3\xBB"},   // the byte-order mark becomes the "?" that goes
      {"", ""},
      {"%E2%98%83?", "?"},                   // ☃ is not in 936: its "?" is the first one
  };
  std::string next;
  TestServer server([&](const ReceivedRequest&) { return Answer(200, "", next); });
  for (const auto& c : cases) {
    next = c.answer;
    InMemoryWindow window;
    QueryLeak(window, server.Url("/index.php"));
    EXPECT_EQ(window.result, c.shown) << c.answer;
  }
}

TEST(Lookup, EmptyBoxSendsDataAlone) {
  TestServer server([](const ReceivedRequest& r) { return Answer(200, "", r.body); });
  InMemoryWindow window;
  QueryLeak(window, server.Url("/index.php"));
  EXPECT_EQ(server.Requests().at(0).body, "data=");
  EXPECT_EQ(window.result, "data=");
}

TEST(Lookup, ErrorStatusesAreShownAndZeroBytesEndTheText) {
  TestServer server([](const ReceivedRequest& r) {
    if (r.target() == "/404") return Answer(404, "", "not here");
    return Answer(200, "", std::string("before\0after", 12));
  });
  InMemoryWindow window;
  QueryLeak(window, server.Url("/404"));
  EXPECT_EQ(window.result, "not here");
  QueryLeak(window, server.Url("/zero"));
  EXPECT_EQ(window.result, "before");
}

TEST(Lookup, UnreachableServerEmptiesTheBox) {
  InMemoryWindow window;
  QueryLeak(window, "http://127.0.0.1:" + std::to_string(testing::UnusedPort()) + "/index.php");
  EXPECT_EQ(window.result, "");
  EXPECT_EQ(window.busyOff, 1);
}

TEST(Lookup, TwoLookupsInARowShowTheSecondAnswer) {
  int n = 0;
  TestServer server([&](const ReceivedRequest&) { return Answer(200, "", "answer " + std::to_string(++n)); });
  InMemoryWindow window;
  OnQueryClick(window, server.Url("/index.php"));
  OnQueryClick(window, server.Url("/index.php"));
  EXPECT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(window.result, "answer 2");
}

TEST(KeyDispatch, EnterInTheEmailBoxRunsOneLookupAndStillReachesTheBox) {
  TestServer server([](const ReceivedRequest&) { return Answer(200, "", "ok"); });
  const std::string url = server.Url("/index.php");
  for (int modifiers : {0, kModCtrl, kModShift, kModAlt, kModCtrl | kModShift}) {
    InMemoryWindow window;
    EXPECT_TRUE(DispatchKey(window, ControlId::k编辑框1, kKeyEnter, modifiers, url));
    EXPECT_EQ(window.result, "ok");
  }
  EXPECT_EQ(server.Requests().size(), 5u);
  InMemoryWindow window;
  EXPECT_TRUE(DispatchKey(window, ControlId::k编辑框1, 'A', 0, url));
  EXPECT_TRUE(DispatchKey(window, ControlId::k按钮1, kKeyEnter, 0, url));  // no default button
  EXPECT_TRUE(DispatchKey(window, ControlId::k编辑框2, kKeyEnter, 0, url));
  EXPECT_EQ(server.Requests().size(), 5u);
  EXPECT_EQ(window.result, "previous answer");
  EXPECT_EQ(OnEmailKey(window, 'A', 0, url), std::nullopt);
}

TEST(KeyDispatch, TabCyclesTheTabStopsAndEscClosesFromEveryControl) {
  InMemoryWindow window;
  for (ControlId from : {ControlId::k编辑框1, ControlId::k按钮1, ControlId::k编辑框2}) {
    EXPECT_FALSE(DispatchKey(window, from, kKeyTab, 0));
    EXPECT_FALSE(DispatchKey(window, from, kKeyTab, kModShift));
    EXPECT_FALSE(DispatchKey(window, from, kKeyEscape, 0));
  }
  const std::vector<ControlId> expected = {ControlId::k按钮1,  ControlId::k编辑框2, ControlId::k编辑框2,
                                           ControlId::k编辑框1, ControlId::k编辑框1, ControlId::k按钮1};
  EXPECT_EQ(window.focusMoves, expected);
  EXPECT_EQ(window.closeRequests, 3);
}

}  // namespace
}  // namespace zicha
