#include "http/wininet_transport.h"

#include <windows.h>

#include "platform/bind.h"

namespace zicha {
namespace {

constexpr const char* kWinInet = "wininet.dll";
constexpr DWORD kOptionConnectTimeout = 2;  // INTERNET_OPTION_CONNECT_TIMEOUT
constexpr DWORD kOptionSendTimeout = 5;     // INTERNET_OPTION_SEND_TIMEOUT
constexpr DWORD kOptionReceiveTimeout = 6;  // INTERNET_OPTION_RECEIVE_TIMEOUT

using HINTERNET = void*;

template <class Fn>
Fn WinInet(const char* name) {
  return Bound<Fn>({kWinInet}, name);
}

}  // namespace

HttpHandle WinInetTransport::InternetOpenA(const Text& agent, uint32_t accessType, const Text& proxy,
                                           const Text& proxyBypass, uint32_t flags) {
  using Fn = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
  static const Fn fn = WinInet<Fn>("InternetOpenA");
  return fn(agent.CStrOrNull(), accessType, proxy.CStrOrNull(), proxyBypass.CStrOrNull(), flags);
}

HttpHandle WinInetTransport::InternetConnectA(HttpHandle internet, const Text& serverName, int port,
                                              const Text& userName, const Text& password, uint32_t service,
                                              uint32_t flags, uintptr_t context) {
  using Fn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, WORD, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
  static const Fn fn = WinInet<Fn>("InternetConnectA");
  return fn(internet, serverName.CStrOrNull(), static_cast<WORD>(port), userName.CStrOrNull(), password.CStrOrNull(),
            service, flags, context);
}

HttpHandle WinInetTransport::HttpOpenRequestA(HttpHandle connect, const Text& verb, const Text& objectName,
                                              const Text& version, const Text& referrer,
                                              const char* const* acceptTypes, uint32_t flags, uintptr_t context) {
  using Fn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR*, DWORD, DWORD_PTR);
  using SetOption = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);
  static const Fn fn = WinInet<Fn>("HttpOpenRequestA");
  static const SetOption setOption = WinInet<SetOption>("InternetSetOptionA");
  HINTERNET request = fn(connect, verb.CStrOrNull(), objectName.CStrOrNull(), version.CStrOrNull(),
                         referrer.CStrOrNull(), const_cast<LPCSTR*>(acceptTypes), flags, context);
  if (request != nullptr) {
    DWORD connectMs = options_.connectMilliseconds, sendMs = options_.sendMilliseconds,
          receiveMs = options_.receiveMilliseconds;
    setOption(request, kOptionConnectTimeout, &connectMs, sizeof connectMs);
    setOption(request, kOptionSendTimeout, &sendMs, sizeof sendMs);
    setOption(request, kOptionReceiveTimeout, &receiveMs, sizeof receiveMs);
  }
  return request;
}

bool WinInetTransport::HttpSendRequestA(HttpHandle request, const Text& headers, uint32_t headersLength,
                                        const void* optional, uint32_t optionalLength) {
  using Fn = BOOL(WINAPI*)(HINTERNET, LPCSTR, DWORD, LPVOID, DWORD);
  static const Fn fn = WinInet<Fn>("HttpSendRequestA");
  return fn(request, headers.CStrOrNull(), headersLength, const_cast<void*>(optional), optionalLength) != FALSE;
}

bool WinInetTransport::InternetReadFile(HttpHandle file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) {
  using Fn = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
  static const Fn fn = WinInet<Fn>("InternetReadFile");
  DWORD read = 0;
  const BOOL ok = fn(file, buffer, bytesToRead, &read);
  *bytesRead = ok ? read : 0;
  return ok != FALSE;
}

bool WinInetTransport::HttpQueryInfoA(HttpHandle request, uint32_t infoLevel, void* buffer, uint32_t* bufferLength,
                                      uint32_t* index) {
  using Fn = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, LPDWORD, LPDWORD);
  static const Fn fn = WinInet<Fn>("HttpQueryInfoA");
  DWORD length = *bufferLength, i = index ? *index : 0;
  const BOOL ok = fn(request, infoLevel, buffer, &length, index ? &i : nullptr);
  *bufferLength = length;
  if (index) *index = i;
  return ok != FALSE;
}

bool WinInetTransport::InternetCloseHandle(HttpHandle handle) {
  using Fn = BOOL(WINAPI*)(HINTERNET);
  static const Fn fn = WinInet<Fn>("InternetCloseHandle");
  return fn(handle) != FALSE;
}

HttpTransport& DefaultHttpTransport() {
  static WinInetTransport transport;
  return transport;
}

}  // namespace zicha
