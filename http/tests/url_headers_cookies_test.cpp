#include <gtest/gtest.h>

#include <optional>

#include "http/cookies.h"
#include "http/headers.h"
#include "http/url.h"

namespace zicha {
namespace {

using std::nullopt;

TEST(Url, HostPortPath) {
  struct Case {
    const char* url;
    const char* host;
    int port;
    const char* path;
  };
  const Case cases[] = {
      {"HTTPS://W.X.Y.Z:81/Path?q=1", "w.x.y.z", 81, "/Path?q=1"},
      {"https://w.x.y.z", "w.x.y.z", 443, "/"},
      {"w.x.y.z:8080", "w.x.y.z", 8080, "/"},
      {"http://w.x.y.z/a/b", "w.x.y.z", 80, "/a/b"},
      {"http://w.x?q=1", "w.x?q=1", 80, "/"},  // only "/" ends the host
      {"", "", 80, "/"},
      {"httpsx.w/p", "httpsx.w", 443, "/p"},  // the port test looks at five characters only
      {"http://127.0.0.1:8080/index.php", "127.0.0.1", 8080, "/index.php"},
      {"http://h:\xA3\xB8\xA3\xB0/", "h", 80, "/"},  // full-width port digits
      // The host is looked for after "://": a host that also occurs in the scheme.
      {"http://p/x", "p", 80, "/x"},
      {"http://t/a", "t", 80, "/a"},
      {"https://s:8443/t", "s", 8443, "/t"},
      {"http://h/A/B?C=D#E", "h", 80, "/A/B?C=D#E"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
    EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
    EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
  }
  EXPECT_EQ(UrlHost("http://w.x.y.z/a/b", nullopt, true), "w.x.y.z");
  EXPECT_EQ(UrlHost("http://w.x.y.z:81/", nullopt, true), "w.x.y.z:81");
}

TEST(Url, HostModes) {
  struct Case {
    const char* url;
    std::optional<bool> domainOnly, keepPort;
    std::optional<int> extraLabels;
    const char* expected;
  };
  const Case cases[] = {
      {"http://w.x.y.z/", true, nullopt, nullopt, "y.z"},
      {"http://w.x.y.z:81/", true, true, nullopt, "y.z:81"},
      {"http://localhost/", true, nullopt, nullopt, "localhost"},
      {"http://10.0.0.1/", true, nullopt, nullopt, "0.1"},
      {"http://w.x.y.z/p", nullopt, nullopt, 0, "y.z"},
      {"http://w.x.y.z/p", true, nullopt, 0, "z"},
      {"http://w.x.y.z/p", nullopt, nullopt, 1, "x.y.z"},
      {"http://w.x.y.z/p", true, nullopt, 1, "y.z"},
      {"http://w.x.y.z/p", nullopt, nullopt, 5, "w.x.y.z"},
      {"http://w.x.y.z/p", true, nullopt, 5, "w.x.y.z"},
      {"https://a.b.c:81/p", nullopt, true, 0, "b.c:81"},  // the port rides on the last label
  };
  for (const auto& c : cases)
    EXPECT_EQ(UrlHost(c.url, c.domainOnly, c.keepPort, c.extraLabels), c.expected)
        << c.url << " labels " << c.extraLabels.value_or(-1);
}

TEST(Headers, PickUserAgent) {
  struct Case {
    const char* headers;
    const char* agent;
  };
  const Case cases[] = {
      {"", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
      {"User-Agent: Foo/1.0", "Foo/1.0"},
      {"Accept: x\r\nUser-Agent:  Foo/1.0 \r\nX: y", "Foo/1.0"},
      {"user-agent: Foo", "Foo"},  // detected, not extracted: the fallback takes it
      {"Accept: */*\r\nuser-agent: Foo", "*/*\r\nuser-agent: Foo"},
      {"User-Agent:", ""},
      {"User-Agent:Foo", "Foo"},
  };
  for (const auto& c : cases) EXPECT_EQ(PickUserAgent(c.headers), c.agent) << c.headers;
  EXPECT_EQ(ValueAfterColon("a: b: c "), "b: c");
  EXPECT_EQ(ValueAfterColon("abc"), "");
}

TEST(Headers, DefaultsAndNormalisation) {
  struct Case {
    const char* headers;
    int method;
    const char* sent;
  };
  const char* url = "http://h/index.php";
  const Case cases[] = {
      {"", 1,
       "Accept: */*\r\nReferer: http://h/index.php\r\nAccept-Language: zh-cn\r\n"
       "Content-Type: application/x-www-form-urlencoded"},
      {"", 0, "Accept: */*\r\nReferer: http://h/index.php\r\nAccept-Language: zh-cn"},
      {"", 3, "Accept: */*\r\nReferer: http://h/index.php\r\nAccept-Language: zh-cn"},  // no type for PUT
      {"content-type: text/plain", 1,
       "Content-Type: text/plain\r\nAccept: */*\r\nReferer: http://h/index.php\r\nAccept-Language: zh-cn"},
      {"X-Referer: a", 0, "X-Referer: a\r\nAccept: */*\r\nAccept-Language: zh-cn"},  // a substring counts
      {"X-Flag:1", 0, "Accept: */*\r\nReferer: http://h/index.php\r\nAccept-Language: zh-cn"},
  };
  for (const auto& c : cases) {
    Text headers(c.headers);
    AddDefaultHeaders(headers, url, c.method);
    EXPECT_EQ(NormalizeHeaderNames(headers), c.sent) << c.headers;
  }
}

TEST(Headers, NormalizeHeaderNames) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"x-my-header: v", "X-My-Header: v"},
      {"ACCEPT: v", "ACCEPT: v"},
      {"accept: v\r\n\r\nX-Flag:1\r\nUser-Agent:Foo", "Accept: v"},  // lines without ": " go
      {"x: ", "X: "},                                                 // empty value kept
      {"x: a: b: c", "X: a: b: c"},                                   // a value with ": " stays whole
      {"x: a: ", "X: a: "},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeHeaderNames(c.in), c.out) << c.in;
  EXPECT_EQ(CapitalizeFirst("abC"), "AbC");
  EXPECT_EQ(CapitalizeFirst(""), "");
}

TEST(Cookies, AppendCookieLine) {
  Text headers("Accept: */*");
  AppendCookieLine(headers, "a=1");
  EXPECT_EQ(headers, "Accept: */*\r\nCookie: a=1");
  Text bare;
  AppendCookieLine(bare, "Cookie: a=1");
  EXPECT_EQ(bare, "\r\nCookie: a=1");
  Text unchanged("A: b");
  AppendCookieLine(unchanged, "");
  EXPECT_EQ(unchanged, "A: b");
}

TEST(Cookies, CollectSetCookies) {
  struct Case {
    const char* raw;
    const char* cookies;
  };
  const Case cases[] = {
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; Path=/\r\nSet-Cookie: b=2\r\n\r\n", "a=1; b=2"},
      {"HTTP/1.1 200 OK\r\nset-cookie: c=3\r\nSet-Cookie:c=3\r\n\r\n", ""},
      {"HTTP/1.1 200 OK\r\nX: y\r\n\r\n", ""},
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nSet-Cookie: a=1\r\n\r\n", "a=1; a=1"},
      {"     ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CollectSetCookies(c.raw), c.cookies) << c.raw;
}

TEST(Cookies, MergeCookies) {
  struct Case {
    const char* sent;
    const char* returned;
    const char* merged;
  };
  const Case cases[] = {
      {"a=1; b=2", "b=3; c=deleted", "b=3; a=1"},
      {"c=5", "c=deleted", ""},
      {"x=deleted; y=Deleted; deleted", "", "y=Deleted; deleted"},  // exact, at the end
      {"k=a b", "", "k=ab"},
      {"", "", ""},
      {"a=1; a=2", "", "a=1"},  // of several sent items with one name the first wins
      {"a=1", "a=1; a=1", "a=1"},
  };
  for (const auto& c : cases) {
    Text sent(c.sent), returned(c.returned);
    const Text merged = MergeCookies(sent, returned);
    EXPECT_EQ(merged, c.merged) << c.sent << " + " << c.returned;
    EXPECT_EQ(sent, merged);
    EXPECT_EQ(returned.view().find(' '), std::string_view::npos);
  }
  EXPECT_TRUE(CookieListHasName({"a = 1", "b"}, "a"));
  EXPECT_TRUE(CookieListHasName({"b"}, "b"));
  EXPECT_FALSE(CookieListHasName({"ab=1"}, "a"));
}

}  // namespace
}  // namespace zicha
