#pragma once
// HttpTransport over the real wininet.dll, each function bound by name on first use. Beyond the
// plain WinINet calls it sets explicit time-outs on every request handle, so that a lookup never
// hangs the window for ever (WinINet's documented defaults; Wine applies none unless set).
#ifdef _WIN32
#include "http/transport.h"

namespace zicha {

struct WinInetTransportOptions {
  unsigned long connectMilliseconds = 60000;
  unsigned long sendMilliseconds = 30000;
  // Also the time a stalled answer may take before a read fails.
  unsigned long receiveMilliseconds = 30000;
};

class WinInetTransport final : public HttpTransport {
 public:
  explicit WinInetTransport(WinInetTransportOptions options = {}) : options_(options) {}

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
  WinInetTransportOptions options_;
};

}  // namespace zicha
#endif
