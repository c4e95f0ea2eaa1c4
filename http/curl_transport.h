#pragma once
// HttpTransport over libcurl, behaving on the wire as WinINet does: only the caller's header text
// besides Host, User-Agent and Content-Length; HTTP/1.1; any verb with a body; redirects followed
// with WinINet's rules (or returned with kFlagNoAutoRedirect); one cookie store shared by every
// request of the transport; WinINet proxy texts; no proxy environment variables; the body is
// streamed to InternetReadFile rather than held whole.

#include <memory>
#include <string>

#include "http/transport.h"

namespace zicha {

struct CurlTransportOptions {
  // Time allowed for a connection.
  long connectSeconds = 60;
  // A transfer that receives nothing for this long ends like a failed read. There is no total
  // time-out, so a large answer at any steady speed completes.
  long stallSeconds = 30;
  // Certificate authorities for TLS; empty means the system store. For tests.
  std::string caFile;
};

class CurlTransport final : public HttpTransport {
 public:
  explicit CurlTransport(CurlTransportOptions options = {});
  ~CurlTransport() override;
  CurlTransport(const CurlTransport&) = delete;
  CurlTransport& operator=(const CurlTransport&) = delete;

  HttpHandle InternetOpenA(const Text& agent, uint32_t accessType, const Text& proxy, const Text& proxyBypass,
                           uint32_t flags) override;
  HttpHandle InternetConnectA(HttpHandle internet, const Text& serverName, int port, const Text& userName,
                              const Text& password, uint32_t service, uint32_t flags, uintptr_t context) override;
  HttpHandle HttpOpenRequestA(HttpHandle connect, const Text& verb, const Text& objectName, const Text& version,
                              const Text& referrer, const char* const* acceptTypes, uint32_t flags,
                              uintptr_t context) override;
  bool HttpSendRequestA(HttpHandle request, const Text& headers, uint32_t headersLength, const void* optional,
                        uint32_t optionalLength) override;
  bool InternetReadFile(HttpHandle file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) override;
  bool HttpQueryInfoA(HttpHandle request, uint32_t infoLevel, void* buffer, uint32_t* bufferLength,
                      uint32_t* index) override;
  bool InternetCloseHandle(HttpHandle handle) override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace zicha
