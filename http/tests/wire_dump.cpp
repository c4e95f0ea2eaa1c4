// Sends a fixed script of requests through the platform's transport to a recording server on
// 127.0.0.1 and prints every request as the server received it. Run natively (libcurl) and under
// Wine (WinINet); scripts/compare-http-wire.sh compares the two.
#include <cstdio>
#include <string>

#include "http/request.h"
#include "http/tests/test_server.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

using namespace zicha;

int main() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  testing::TestServer server([](const testing::ReceivedRequest& r) {
    if (r.target() == "/redirect") return testing::Answer(302, "Location: /after-redirect\r\n", "");
    return testing::Answer(200, "", "ok");
  });
  const std::string base = server.Url("");
  struct Step {
    const char* name;
    std::string path;
    HttpRequestOptions options;
  };
  Text cookies("a=1; b=2"), emptyCookies, extra1("X-Custom: v\r\ncontent-type: text/plain"),
      extra2("User-Agent: zicha-test/1.0"), extra3("X-Empty: \r\nX-Colon: a: b");
  Bytes binary(std::string("\x00\x01\xFF", 3));
  const Step steps[] = {
      {"lookup", "/index.php", {.method = 1, .postText = Text("data=WVdKag==")}},
      {"get", "/get?q=1", {}},
      {"head", "/head", {.method = 2}},
      {"put", "/put", {.method = 3, .postText = Text("p=1")}},
      {"delete", "/delete", {.method = 5}},
      {"options", "/options", {.method = 4}},
      {"post-empty", "/post-empty", {.method = 1}},
      {"post-bytes", "/post-bytes", {.method = 1, .postBytes = &binary}},
      {"extra-headers", "/extra", {.method = 1, .postText = Text("x"), .extraHeaders = &extra1}},
      {"agent", "/agent", {.extraHeaders = &extra2}},
      {"odd-values", "/odd", {.extraHeaders = &extra3}},
      {"cookies", "/cookies", {.cookies = &cookies}},
      {"no-cookies", "/no-cookies", {.cookies = &emptyCookies}},
      {"bare", "/bare", {.completeHeaders = false}},
      {"redirect", "/redirect", {.method = 1, .postText = Text("r=1")}},
  };
  for (const Step& step : steps) HttpRequest(base + step.path, step.options);
  const std::string port = std::to_string(server.port());
  for (const testing::ReceivedRequest& r : server.Requests()) {
    std::string raw = r.raw;
    for (size_t at; (at = raw.find(port)) != std::string::npos;) raw.replace(at, port.size(), "PORT");
    std::printf("==== %s\n", r.line.c_str());
    std::fwrite(raw.data(), 1, raw.size(), stdout);
    std::printf("\n");
  }
  return 0;
}
