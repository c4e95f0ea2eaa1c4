#pragma once
// HttpTransport: the seven operations the request routine needs from an HTTP stack, with the
// WinINet names and arguments. Handles are opaque; a null handle means failure. A Text argument
// that is absent reaches the platform as a null pointer (see Text::CStrOrNull).
//
// What HttpRequest relies on:
// - InternetOpenA gives the internet handle: access kAccessDirect (proxy and bypass null) or
//   kAccessProxy (a proxy text such as "http=host:port" or "host:port", and a present empty
//   bypass list: no host bypasses the proxy).
// - InternetConnectA gives a connection handle for host and port (service kServiceHttp).
// - HttpOpenRequestA gives a request handle for verb, path and version, honouring the flags below.
// - HttpSendRequestA sends the request line, Host, the agent as User-Agent, the body's length when
//   there is a body, the header text and the body; afterwards the final answer's status and
//   headers have been received. Its result is not examined.
// - InternetReadFile delivers the next bytes of the body; 0 at the end and on any failure.
// - HttpQueryInfoA with kQueryRawHeadersCrlf writes the final answer's status line and header
//   lines, each ended by CR LF, then an empty line and a zero byte; when that needs more than
//   *bufferLength bytes (zero included) it fails, leaves the buffer as it was and sets
//   *bufferLength to the size needed.
// - InternetCloseHandle releases a handle.

#include <cstdint>

#include "text/text.h"

namespace zicha {

inline constexpr uint32_t kAccessDirect = 1;  // INTERNET_OPEN_TYPE_DIRECT
inline constexpr uint32_t kAccessProxy = 3;   // INTERNET_OPEN_TYPE_PROXY
inline constexpr uint32_t kServiceHttp = 3;   // INTERNET_SERVICE_HTTP
inline constexpr uint32_t kQueryRawHeadersCrlf = 22;

// Request flags.
inline constexpr uint32_t kFlagReload = 0x80000000;                // answer from the server, never a cache
inline constexpr uint32_t kFlagNeedFile = 0x10;                    // no effect on what the caller sees
inline constexpr uint32_t kFlagNoCookies = 0x80000;                // no stored cookies sent, none stored
inline constexpr uint32_t kFlagNoAutoRedirect = 0x200000;          // a redirect answer is returned itself
inline constexpr uint32_t kFlagSecure = 0x800000;                  // TLS
inline constexpr uint32_t kFlagIgnoreRedirectToHttps = 0x4000;     // http -> https redirects are followed

using HttpHandle = void*;

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;

  virtual HttpHandle InternetOpenA(const Text& agent, uint32_t accessType, const Text& proxy,
                                   const Text& proxyBypass, uint32_t flags) = 0;
  virtual HttpHandle InternetConnectA(HttpHandle internet, const Text& serverName, int port, const Text& userName,
                                      const Text& password, uint32_t service, uint32_t flags, uintptr_t context) = 0;
  virtual HttpHandle HttpOpenRequestA(HttpHandle connect, const Text& verb, const Text& objectName,
                                      const Text& version, const Text& referrer, const char* const* acceptTypes,
                                      uint32_t flags, uintptr_t context) = 0;
  virtual bool HttpSendRequestA(HttpHandle request, const Text& headers, uint32_t headersLength,
                                const void* optional, uint32_t optionalLength) = 0;
  virtual bool InternetReadFile(HttpHandle file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) = 0;
  virtual bool HttpQueryInfoA(HttpHandle request, uint32_t infoLevel, void* buffer, uint32_t* bufferLength,
                              uint32_t* index) = 0;
  virtual bool InternetCloseHandle(HttpHandle handle) = 0;
};

// The platform's transport, one for the process (so cookies are shared by every request):
// WinINet on Windows, libcurl elsewhere.
HttpTransport& DefaultHttpTransport();

}  // namespace zicha
