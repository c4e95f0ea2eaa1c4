// HttpRequest over the platform's real transport (libcurl natively, WinINet under Wine) against
// real servers on 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "http/request.h"
#include "http/tests/test_server.h"
#include "text/text_ops.h"

#ifdef _WIN32
#include "http/wininet_transport.h"
#else
#include "http/curl_transport.h"
#endif

namespace zicha {
namespace {

using testing::Answer;
using testing::ReceivedRequest;
using testing::Reply;
using testing::RunningUnderWine;
using testing::TestServer;

// What a request that never got an answer leaves as raw headers: 5000 spaces, as the header
// query fails; Wine's WinINet answers the query with an empty header block instead.
std::string NoAnswerHeaders() { return RunningUnderWine() ? "\r\n" : std::string(5000, ' '); }

std::unique_ptr<HttpTransport> MakeTransport(int stallSeconds = 30) {
#ifdef _WIN32
  WinInetTransportOptions o;
  o.receiveMilliseconds = static_cast<unsigned long>(stallSeconds) * 1000;
  return std::make_unique<WinInetTransport>(o);
#else
  CurlTransportOptions o;
  o.stallSeconds = stallSeconds;
  return std::make_unique<CurlTransport>(o);
#endif
}

Reply Echo(const ReceivedRequest& r) { return Answer(200, "", r.method() + " " + r.target() + " " + r.body); }

TEST(Transport, TheLookupRequestOnTheWire) {
  TestServer server([](const ReceivedRequest&) { return Answer(200, "Content-Type: text/plain\r\n", "%EF%BB%BFok"); });
  const std::string url = server.Url("/index.php");
  const Bytes answer = HttpRequest(*MakeTransport(), url, {.method = 1, .postText = Text("data=WVdKag==")});
  EXPECT_EQ(answer.view(), "%EF%BB%BFok");
  ASSERT_EQ(server.Requests().size(), 1u);
  const ReceivedRequest r = server.Requests()[0];
  EXPECT_EQ(r.line, "POST /index.php HTTP/1.1");
  EXPECT_EQ(r.Header("Host"), "127.0.0.1:" + std::to_string(server.port()));
  EXPECT_EQ(r.Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  EXPECT_EQ(r.Header("Content-Length"), "13");
  EXPECT_EQ(r.Header("Accept"), "*/*");
  EXPECT_EQ(r.Header("Referer"), url);
  EXPECT_EQ(r.Header("Accept-Language"), "zh-cn");
  EXPECT_EQ(r.Header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_FALSE(r.HasHeader("Expect"));
  EXPECT_FALSE(r.HasHeader("Proxy-Connection"));
  EXPECT_EQ(r.body, "data=WVdKag==");
}

TEST(Transport, Methods) {
  TestServer server(Echo);
  auto transport = MakeTransport();
  struct Case {
    int method;
    const char* body;
    const char* answer;
    const char* contentLength;
  };
  const Case cases[] = {
      {0, "x=1", "GET /m ", ""},  // GET sends no body
      {2, "", "", "0"},           // HEAD reads no body
      {3, "x=1", "PUT /m x=1", "3"},
      {5, "x=1", "DELETE /m x=1", "3"},
      {4, "", "OPTIONS /m ", "0"},
  };
  for (const auto& c : cases) {
    const Bytes answer = HttpRequest(*transport, server.Url("/m"), {.method = c.method, .postText = Text(c.body)});
    EXPECT_EQ(answer.view(), c.answer) << c.method;
    const ReceivedRequest r = server.Requests().back();
    EXPECT_EQ(r.method(), HttpMethodNames(c.method).str());
    EXPECT_EQ(r.Header("Content-Length"), c.contentLength) << c.method;
  }
}

TEST(Transport, SetCookieCollectionAndTheProcessCookieStore) {
  TestServer server([](const ReceivedRequest& r) {
    if (r.target() == "/set") return Answer(200, "Set-Cookie: zstore=1; Path=/\r\nSet-Cookie: zother=2\r\n", "set");
    return Answer(200, "", "cookie:" + r.Header("Cookie"));
  });
  // The platform's own transport keeps one store for the whole process.
  Text returned;
  HttpRequest(server.Url("/set"), {.returnedCookies = &returned});
  EXPECT_EQ(returned, "zstore=1; zother=2");
  const Bytes again = HttpRequest(server.Url("/check"));
  EXPECT_NE(again.view().find("zstore=1"), std::string_view::npos) << again.view();

  // Cookies given: the store is neither read nor written.
  Text jar("mine=1");
  const Bytes own = HttpRequest(server.Url("/check"), {.cookies = &jar});
  EXPECT_EQ(own.view(), "cookie:mine=1");
}

TEST(Transport, RedirectsFollowed) {
  TestServer server([](const ReceivedRequest& r) {
    const std::string t = r.target();
    if (t == "/302") return Answer(302, "Location: /target\r\n", "moved");
    if (t == "/307") return Answer(307, "Location: /target\r\n", "moved");
    if (t == "/relative/a") return Answer(302, "Location: b?q=1\r\n", "");
    if (t == "/loop") return Answer(302, "Location: /loop\r\n", "");
    return Echo(r);
  });
  auto transport = MakeTransport();
  EXPECT_EQ(HttpRequest(*transport, server.Url("/302"), {.method = 1, .postText = Text("a=1")}).view(), "GET /target ");
  // Windows keeps the body on a 307; Wine's WinINet drops it.
  EXPECT_EQ(HttpRequest(*transport, server.Url("/307"), {.method = 1, .postText = Text("a=1")}).view(),
            RunningUnderWine() ? "POST /target " : "POST /target a=1");
  EXPECT_EQ(HttpRequest(*transport, server.Url("/relative/a")).view(), "GET /relative/b?q=1 ");
  // Wine's WinINet follows a redirect loop for ever; Windows and our libcurl transport give up.
  if (RunningUnderWine()) return;

  const auto start = std::chrono::steady_clock::now();
  Text rawHeaders;
  const Bytes loop = HttpRequest(*transport, server.Url("/loop"), {.returnedHeaders = &rawHeaders});
  EXPECT_TRUE(loop.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
  EXPECT_LE(server.Requests().size(), 3u + 1 + 1 + 1 + 31);
}

TEST(Transport, RedirectReturnedUnderNoRedirect) {
  TestServer server([](const ReceivedRequest&) {
    return Answer(302, "Location: /elsewhere\r\nSet-Cookie: hop=1; Path=/\r\n", "see elsewhere");
  });
  Text rawHeaders, cookies;
  const Bytes answer = HttpRequest(*MakeTransport(), server.Url("/r"),
                                   {.returnedCookies = &cookies, .returnedHeaders = &rawHeaders, .noRedirect = true});
  EXPECT_EQ(answer.view(), "see elsewhere");
  EXPECT_EQ(TextLeft(rawHeaders, 12), "HTTP/1.1 302");
  EXPECT_NE(rawHeaders.view().find("\r\nLocation: /elsewhere\r\n"), std::string_view::npos);
  EXPECT_EQ(TextRight(rawHeaders, 4), "\r\n\r\n");
  EXPECT_EQ(cookies, "hop=1");
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(Transport, RawHeaderLimit) {
  // 4999 bytes of raw header text fit the 5000-byte buffer with its zero; 5000 do not.
  // Padded with many short lines (Wine cuts a single header line at about 4 KB).
  auto headerOfLength = [](size_t total) {
    std::string h = "HTTP/1.1 200 Status\r\nSet-Cookie: big=1\r\nContent-Length: 4\r\nConnection: close\r\n";
    for (int i = 0; h.size() + 64 + 8 < total; ++i) h += "X-Pad-" + std::to_string(1000 + i) + ": " + std::string(52, 'p') + "\r\n";
    h += "X-Last: " + std::string(total - h.size() - 12, 'q') + "\r\n\r\n";
    return h;
  };
  for (size_t total : {4999u, 5000u}) {
    TestServer server([&](const ReceivedRequest&) { return Reply{headerOfLength(total) + "body"}; });
    Text rawHeaders, cookies;
    const Bytes answer =
        HttpRequest(*MakeTransport(), server.Url("/h"), {.returnedCookies = &cookies, .returnedHeaders = &rawHeaders});
    EXPECT_EQ(answer.view(), "body") << total;
    if (total == 4999) {
      EXPECT_TRUE(rawHeaders == headerOfLength(total)) << "raw headers of " << rawHeaders.size() << " bytes";
      EXPECT_EQ(cookies, "big=1");
    } else {
      EXPECT_TRUE(rawHeaders == std::string(5000, ' ')) << "raw headers of " << rawHeaders.size() << " bytes";
      EXPECT_EQ(cookies, "");
    }
  }
}

TEST(Transport, ChunkedAndLargeBodies) {
  const std::string large(64u << 20, 'z');
  TestServer server([&](const ReceivedRequest& r) {
    if (r.target() == "/chunked")
      return Reply{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
                   "5\r\nhello\r\n7\r\n, world\r\n0\r\n\r\n"};
    return Answer(200, "", large);
  });
  auto transport = MakeTransport();
  EXPECT_EQ(HttpRequest(*transport, server.Url("/chunked")).view(), "hello, world");
  const Bytes big = HttpRequest(*transport, server.Url("/large"));
  EXPECT_EQ(big.size(), large.size());
  EXPECT_TRUE(big.view() == large);
}

TEST(Transport, RudeServers) {
  TestServer server([](const ReceivedRequest& r) {
    const std::string t = r.target();
    if (t == "/reset") return Reply{"", Reply::Then::kReset};
    if (t == "/half") return Reply{"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\nfirst part"};
    return Reply{"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\nso far", Reply::Then::kStall,
                 20000};
  });
  auto transport = MakeTransport(2);
  Text rawHeaders;
  EXPECT_TRUE(HttpRequest(*transport, server.Url("/reset"), {.returnedHeaders = &rawHeaders}).empty());
  EXPECT_EQ(rawHeaders, NoAnswerHeaders());
  EXPECT_EQ(HttpRequest(*transport, server.Url("/half")).view(), "first part");  // the bytes so far

  // A stalled answer ends like a failed read. Wine's WinINet drops the bytes of a read that
  // times out, so there nothing comes back.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(HttpRequest(*transport, server.Url("/stall")).view(), RunningUnderWine() ? "" : "so far");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
}

TEST(Transport, UnreachablePort) {
  Text rawHeaders("unchanged"), extra;
  const Bytes answer = HttpRequest(*MakeTransport(), "http://127.0.0.1:" + std::to_string(testing::UnusedPort()) + "/",
                                   {.method = 1, .extraHeaders = &extra, .returnedHeaders = &rawHeaders});
  EXPECT_TRUE(answer.empty());
  EXPECT_EQ(rawHeaders, NoAnswerHeaders());
  EXPECT_FALSE(extra.empty());  // the send was reached: the header text is what was to be sent
}

}  // namespace
}  // namespace zicha
