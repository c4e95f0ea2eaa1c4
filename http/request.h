#pragma once
// HttpRequest: one complete, synchronous HTTP exchange. It reports no errors: any failure gives
// an empty result.

#include <array>
#include <optional>
#include <string_view>

#include "http/transport.h"
#include "text/bytes.h"
#include "text/text.h"

namespace zicha {

// Method index to verb.
inline constexpr std::array<std::string_view, 8> kHttpMethodNames = {"GET", "POST", "HEAD", "PUT",
                                                                    "OPTIONS", "DELETE", "TRACE", "CONNECT"};
Text HttpMethodNames(int method);

// Everything but the URL; all optional. The pointers are the caller's own variables, which the
// routine reads and writes back; null means the argument was omitted.
struct HttpRequestOptions {
  // 0 GET (also when omitted or outside 0..7), 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE,
  // 6 TRACE, 7 CONNECT.
  std::optional<int> method = std::nullopt;
  // The body as text, used when *postBytes is empty.
  std::optional<Text> postText = std::nullopt;
  // In/out. Given (even empty): the transport's own cookies are off (kFlagNoCookies), the text is
  // sent as a Cookie line, and with mergeCookies it receives the merged jar.
  Text* cookies = nullptr;
  // Out: the cookies of the answer's Set-Cookie lines (merged with *cookies when merging).
  Text* returnedCookies = nullptr;
  // In/out: extra header lines; afterwards the header text that was sent.
  Text* extraHeaders = nullptr;
  // Out: the raw answer headers, or 5000 spaces when they could not be read (over 4999 bytes).
  Text* returnedHeaders = nullptr;
  // True: a redirect answer is returned itself.
  std::optional<bool> noRedirect = std::nullopt;
  // In/out: the body as bytes; wins over postText. When empty, it receives postText's bytes.
  Bytes* postBytes = nullptr;
  // "host:port": through this proxy ("http=" is put in front for a plain URL).
  std::optional<Text> proxy = std::nullopt;
  // Omitted: true.
  std::optional<bool> mergeCookies = std::nullopt;
  // Omitted: true. Adds the default header lines.
  std::optional<bool> completeHeaders = std::nullopt;
};

// Sends the request and returns the whole answer body. Empty when the transport could not open
// its handles or nothing was read; HTTP status codes are not examined. On a failure to open a
// handle no caller variable has changed.
Bytes HttpRequest(HttpTransport& transport, std::string_view url, const HttpRequestOptions& options = {});
// The same over DefaultHttpTransport().
Bytes HttpRequest(std::string_view url, const HttpRequestOptions& options = {});

// The flag word for a request: reload and need-file always; no-cookies when cookies are given;
// no-auto-redirect on request; secure for an "https://" URL, else ignore-redirect-to-https.
uint32_t HttpRequestFlags(bool cookiesGiven, bool noRedirect, bool secure);

}  // namespace zicha
