// HttpRequest against a recording transport: exactly which arguments reach each operation.
#include "http/request.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace zicha {
namespace {

// A transport that records its calls and answers from a script.
class RecordingTransport final : public HttpTransport {
 public:
  struct Call {
    std::string op;
    std::vector<std::optional<std::string>> texts;  // nullopt: a null pointer reached the transport
    std::vector<uint64_t> numbers;
  };

  // Which opening fails: 1 internet, 2 connection, 3 request; 0 none.
  int failAt = 0;
  std::string body;
  std::optional<std::string> rawHeaders = "HTTP/1.1 200 OK\r\n\r\n";
  std::vector<Call> calls;

  HttpHandle InternetOpenA(const Text& agent, uint32_t access, const Text& proxy, const Text& bypass,
                           uint32_t flags) override {
    calls.push_back({"open", {S(agent), S(proxy), S(bypass)}, {access, flags}});
    return failAt == 1 ? nullptr : &internet_;
  }
  HttpHandle InternetConnectA(HttpHandle internet, const Text& host, int port, const Text& user, const Text& password,
                              uint32_t service, uint32_t flags, uintptr_t context) override {
    calls.push_back({"connect", {S(host), S(user), S(password)},
                     {static_cast<uint64_t>(port), service, flags, context, internet == &internet_}});
    return failAt == 2 ? nullptr : &connection_;
  }
  HttpHandle HttpOpenRequestA(HttpHandle connect, const Text& verb, const Text& path, const Text& version,
                              const Text& referrer, const char* const* acceptTypes, uint32_t flags,
                              uintptr_t context) override {
    calls.push_back({"request", {S(verb), S(path), S(version), S(referrer)},
                     {flags, context, acceptTypes == nullptr, connect == &connection_}});
    return failAt == 3 ? nullptr : &request_;
  }
  bool HttpSendRequestA(HttpHandle, const Text& headers, uint32_t length, const void* data, uint32_t dataLength) override {
    std::optional<std::string> bodyText;
    if (data != nullptr) bodyText = std::string(static_cast<const char*>(data), dataLength);
    calls.push_back({"send", {S(headers), bodyText}, {length, dataLength}});
    return true;
  }
  bool InternetReadFile(HttpHandle, void* buffer, uint32_t size, uint32_t* read) override {
    const size_t n = std::min<size_t>(size, body.size() - offset_);
    std::memcpy(buffer, body.data() + offset_, n);
    offset_ += n;
    *read = static_cast<uint32_t>(n);
    ++reads;
    return true;
  }
  bool HttpQueryInfoA(HttpHandle, uint32_t level, void* buffer, uint32_t* length, uint32_t* index) override {
    calls.push_back({"query", {}, {level, *length, index == nullptr}});
    if (!rawHeaders || rawHeaders->size() + 1 > *length) return false;
    std::memcpy(buffer, rawHeaders->c_str(), rawHeaders->size() + 1);
    return true;
  }
  bool InternetCloseHandle(HttpHandle h) override {
    closed.push_back(h == &request_ ? "request" : h == &connection_ ? "connection" : "internet");
    return true;
  }

  const Call& Find(const std::string& op) const {
    for (const Call& c : calls)
      if (c.op == op) return c;
    static const Call none;
    return none;
  }
  std::vector<std::string> closed;
  int reads = 0;

 private:
  static std::optional<std::string> S(const Text& t) {
    if (t.CStrOrNull() == nullptr) return std::nullopt;
    return t.str();
  }
  int internet_ = 0, connection_ = 0, request_ = 0;
  size_t offset_ = 0;
};

constexpr const char* kLookupUrl = "http://lookup.example/index.php";

TEST(HttpRequest, TheLookupsOwnRequest) {
  RecordingTransport t;
  t.body = "%e4%b8%ad";
  const Bytes answer = HttpRequest(t, kLookupUrl, {.method = 1, .postText = Text("data=WVdKag==")});
  EXPECT_EQ(answer.view(), "%e4%b8%ad");

  const auto& open = t.Find("open");
  EXPECT_EQ(open.texts[0], "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  EXPECT_EQ(open.texts[1], std::nullopt);
  EXPECT_EQ(open.texts[2], std::nullopt);
  EXPECT_EQ(open.numbers, (std::vector<uint64_t>{kAccessDirect, 0}));

  const auto& connect = t.Find("connect");
  EXPECT_EQ(connect.texts, (std::vector<std::optional<std::string>>{"lookup.example", std::nullopt, std::nullopt}));
  EXPECT_EQ(connect.numbers, (std::vector<uint64_t>{80, kServiceHttp, 0, 0, 1}));

  const auto& request = t.Find("request");
  EXPECT_EQ(request.texts, (std::vector<std::optional<std::string>>{"POST", "/index.php", "HTTP/1.1", std::nullopt}));
  EXPECT_EQ(request.numbers, (std::vector<uint64_t>{0x80004010u, 0, 1, 1}));

  const auto& send = t.Find("send");
  const std::string headers =
      "Accept: */*\r\nReferer: http://lookup.example/index.php\r\nAccept-Language: zh-cn\r\n"
      "Content-Type: application/x-www-form-urlencoded";
  EXPECT_EQ(send.texts[0], headers);
  EXPECT_EQ(send.texts[1], "data=WVdKag==");
  EXPECT_EQ(send.numbers, (std::vector<uint64_t>{headers.size(), 13}));

  EXPECT_EQ(t.Find("query").numbers, (std::vector<uint64_t>{kQueryRawHeadersCrlf, 5000, 1}));
  EXPECT_EQ(t.closed, (std::vector<std::string>{"request", "connection", "internet"}));
}

TEST(HttpRequest, FlagWords) {
  struct Case {
    const char* url;
    bool cookies, noRedirect;
    uint32_t flags;
  };
  const Case cases[] = {
      {"http://h/", false, false, 0x80004010u},
      {"HTTPS://h/", true, true, 0x80A80010u},
      {"https://h/", false, false, 0x80800010u},
      {"http://h/", true, false, 0x80084010u},
      {"httpsx.w/p", false, false, 0x80004010u},  // secure only with "https://"
  };
  for (const auto& c : cases) {
    RecordingTransport t;
    Text cookies;
    HttpRequestOptions o;
    if (c.cookies) o.cookies = &cookies;
    o.noRedirect = c.noRedirect;
    HttpRequest(t, c.url, o);
    EXPECT_EQ(t.Find("request").numbers[0], c.flags) << c.url;
  }
  EXPECT_EQ(HttpRequestFlags(true, true, true), 0x80A80010u);
}

TEST(HttpRequest, MethodDefaultsAndBodies) {
  struct Case {
    std::optional<int> method;
    const char* verb;
    std::optional<std::string> body;  // what reaches the send; nullopt: a null pointer
  };
  const Case cases[] = {
      {std::nullopt, "GET", std::nullopt}, {8, "GET", std::nullopt},  {-1, "GET", std::nullopt},
      {0, "GET", std::nullopt},            {3, "PUT", "p=1"},         {5, "DELETE", "p=1"},
  };
  for (const auto& c : cases) {
    RecordingTransport t;
    Bytes postBytes;
    HttpRequest(t, "http://h/", {.method = c.method, .postText = Text("p=1"), .postBytes = &postBytes});
    EXPECT_EQ(t.Find("request").texts[0], c.verb);
    EXPECT_EQ(t.Find("send").texts[1], c.body) << c.verb;
  }
}

TEST(HttpRequest, PostBytesWinAndAreWrittenBack) {
  RecordingTransport t;
  Bytes postBytes;
  HttpRequest(t, "http://h/", {.method = 1, .postText = Text("a=1"), .postBytes = &postBytes});
  EXPECT_EQ(postBytes.view(), "a=1");

  RecordingTransport u;
  Bytes given(std::string("b\0c", 3));
  HttpRequest(u, "http://h/", {.method = 1, .postText = Text("a=1"), .postBytes = &given});
  EXPECT_EQ(u.Find("send").texts[1], std::string("b\0c", 3));
  EXPECT_EQ(u.Find("send").numbers[1], 3u);

  RecordingTransport v;  // nothing to send: a null body of length 0
  HttpRequest(v, "http://h/", {.method = 4});
  EXPECT_EQ(v.Find("send").texts[1], std::nullopt);
  EXPECT_EQ(v.Find("send").numbers[1], 0u);
}

TEST(HttpRequest, ProxyTexts) {
  struct Case {
    const char* url;
    const char* handedOver;
  };
  for (const Case& c : {Case{"https://h/", "p:8080"}, Case{"http://h/", "http=p:8080"}}) {
    RecordingTransport t;
    HttpRequest(t, c.url, {.proxy = Text("p:8080")});
    const auto& open = t.Find("open");
    EXPECT_EQ(open.numbers[0], kAccessProxy);
    EXPECT_EQ(open.texts[1], c.handedOver);
    EXPECT_EQ(open.texts[2], "");  // an empty, not null, bypass list
  }
}

TEST(HttpRequest, FailureAtEachOpeningLeavesCallerVariablesAlone) {
  for (int failAt : {1, 2, 3}) {
    RecordingTransport t;
    t.failAt = failAt;
    t.body = "never read";
    Text cookies("a=1"), returnedCookies("rc"), extraHeaders("X-A: b"), returnedHeaders("rh");
    Bytes postBytes;
    const Bytes answer = HttpRequest(t, "http://h/", {.method = 1, .postText = Text("x"), .cookies = &cookies,
                                                      .returnedCookies = &returnedCookies, .extraHeaders = &extraHeaders,
                                                      .returnedHeaders = &returnedHeaders, .postBytes = &postBytes});
    EXPECT_TRUE(answer.empty());
    EXPECT_EQ(cookies, "a=1");
    EXPECT_EQ(returnedCookies, "rc");
    EXPECT_EQ(extraHeaders, "X-A: b");
    EXPECT_EQ(returnedHeaders, "rh");
    EXPECT_TRUE(postBytes.empty());
    EXPECT_EQ(t.Find("send").op, "") << failAt;
    const std::vector<std::vector<std::string>> closed = {{}, {"internet"}, {"connection", "internet"}};
    EXPECT_EQ(t.closed, closed[static_cast<size_t>(failAt - 1)]) << failAt;
  }
}

TEST(HttpRequest, HeadersAndCookiesWrittenBack) {
  RecordingTransport t;
  t.rawHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: b=3; Path=/\r\nSet-Cookie: c=deleted\r\n\r\n";
  Text cookies("a=1; b=2"), returnedCookies, extraHeaders("x-my: v"), returnedHeaders;
  HttpRequest(t, "http://h/p", {.cookies = &cookies, .returnedCookies = &returnedCookies,
                                .extraHeaders = &extraHeaders, .returnedHeaders = &returnedHeaders});
  EXPECT_EQ(extraHeaders, "X-My: v\r\nAccept: */*\r\nReferer: http://h/p\r\nAccept-Language: zh-cn\r\nCookie: a=1; b=2");
  EXPECT_EQ(t.Find("send").texts[0], extraHeaders.str());
  EXPECT_EQ(returnedHeaders, *t.rawHeaders);
  EXPECT_EQ(returnedCookies, "b=3; a=1");
  EXPECT_EQ(cookies, "b=3; a=1");
}

TEST(HttpRequest, MergeOffAndEmptyCookies) {
  RecordingTransport t;
  t.rawHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: b=3\r\nSet-Cookie: b=3\r\nSet-Cookie: d=deleted\r\n\r\n";
  Text cookies("a=1"), returned;
  HttpRequest(t, "http://h/", {.cookies = &cookies, .returnedCookies = &returned, .mergeCookies = false});
  EXPECT_EQ(returned, "b=3; b=3; d=deleted");
  EXPECT_EQ(cookies, "a=1");
  EXPECT_NE(t.Find("send").texts[0]->find("Cookie: a=1"), std::string::npos);

  RecordingTransport u;
  u.rawHeaders = t.rawHeaders;
  Text empty, returned2;
  HttpRequest(u, "http://h/", {.cookies = &empty, .returnedCookies = &returned2});
  EXPECT_EQ(u.Find("request").numbers[0] & kFlagNoCookies, kFlagNoCookies);
  EXPECT_EQ(u.Find("send").texts[0]->find("Cookie"), std::string::npos);
  EXPECT_EQ(returned2, "b=3");
  EXPECT_EQ(empty, "b=3");
}

TEST(HttpRequest, RawHeadersThatDoNotFit) {
  RecordingTransport t;
  t.rawHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nX: " + std::string(5000, 'x') + "\r\n\r\n";
  t.body = std::string(3000, 'b');  // three reads of 1024 and the end
  Text returnedHeaders, returnedCookies("stale");
  const Bytes answer =
      HttpRequest(t, "http://h/", {.returnedCookies = &returnedCookies, .returnedHeaders = &returnedHeaders});
  EXPECT_EQ(answer.size(), 3000u);
  EXPECT_EQ(t.reads, 4);
  EXPECT_EQ(returnedHeaders, std::string(5000, ' '));
  EXPECT_EQ(returnedCookies, "");
}

TEST(HttpRequest, HeadersWithoutCompletion) {
  RecordingTransport t;
  Text extraHeaders;
  HttpRequest(t, "http://h/", {.method = 1, .extraHeaders = &extraHeaders, .completeHeaders = false});
  EXPECT_TRUE(extraHeaders.empty());
  EXPECT_EQ(t.Find("send").texts[0], std::nullopt);  // the empty header text is a null pointer
  EXPECT_EQ(t.Find("send").numbers[0], 0u);

  RecordingTransport u;
  Text cookies("a=1"), bare;
  HttpRequest(u, "http://h/", {.cookies = &cookies, .extraHeaders = &bare, .completeHeaders = false});
  EXPECT_EQ(bare, "\r\nCookie: a=1");
}

TEST(HttpRequest, AgentFromTheCallersHeaders) {
  RecordingTransport t;
  Text headers("User-Agent:Foo");
  HttpRequest(t, "http://h/", {.extraHeaders = &headers});
  EXPECT_EQ(t.Find("open").texts[0], "Foo");
  EXPECT_EQ(headers.view().find("User-Agent"), std::string_view::npos);  // the line itself had no ": "
}

}  // namespace
}  // namespace zicha
