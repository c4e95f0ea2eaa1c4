#include "http/tests/test_server.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLength = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLength = socklen_t;
#endif

namespace zicha::testing {
namespace {

#ifdef _WIN32
using Socket = SOCKET;
void CloseSocket(Socket s) { closesocket(s); }
struct WinsockInit {
  WinsockInit() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
} winsockInit;
#else
using Socket = int;
void CloseSocket(Socket s) { close(s); }
#endif

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Waits up to `ms` for `s` to be readable.
bool Readable(Socket s, int ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  return select(static_cast<int>(s) + 1, &set, nullptr, nullptr, &tv) > 0;
}

Socket Listen(int* port) {
  Socket s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(s, 16);
  SocketLength length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  *port = ntohs(address.sin_port);
  return s;
}

}  // namespace

std::string ReceivedRequest::target() const {
  const size_t a = line.find(' ');
  const size_t b = line.rfind(' ');
  return a == std::string::npos || b <= a ? std::string() : line.substr(a + 1, b - a - 1);
}

std::string ReceivedRequest::Header(std::string_view name) const {
  size_t start = 0;
  while (start < headers.size()) {
    const size_t end = headers.find("\r\n", start);
    const std::string_view l = std::string_view(headers).substr(start, end - start);
    const size_t colon = l.find(':');
    if (colon != std::string_view::npos && EqualNoCase(l.substr(0, colon), name)) {
      std::string_view v = l.substr(colon + 1);
      while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
      return std::string(v);
    }
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return {};
}

bool ReceivedRequest::HasHeader(std::string_view name) const {
  return ("\r\n" + headers).find("\r\n" + std::string(name) + ":") != std::string::npos ||
         !Header(name).empty();
}

Reply Answer(int status, std::string_view headers, std::string_view body) {
  std::string bytes = "HTTP/1.1 " + std::to_string(status) + " Status\r\n";
  bytes.append(headers);
  bytes += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
  bytes.append(body);
  return Reply{std::move(bytes)};
}

TestServer::TestServer(Handler handler) : handler_(std::move(handler)) {
  listener_ = static_cast<uintptr_t>(Listen(&port_));
  thread_ = std::thread([this] { Serve(); });
}

TestServer::~TestServer() {
  stop_ = true;
  thread_.join();
  CloseSocket(static_cast<Socket>(listener_));
}

std::string TestServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<ReceivedRequest> TestServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void TestServer::Serve() {
  const Socket listener = static_cast<Socket>(listener_);
  while (!stop_) {
    if (!Readable(listener, 50)) continue;
    const Socket s = accept(listener, nullptr, nullptr);
    HandleConnection(static_cast<uintptr_t>(s));
  }
}

void TestServer::HandleConnection(uintptr_t socketValue) {
  const Socket s = static_cast<Socket>(socketValue);
  ReceivedRequest request;
  std::string& raw = request.raw;
  char buffer[65536];
  size_t headerEnd = std::string::npos, need = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  // Read the head, then as much body as Content-Length says; every wait is bounded.
  while (!stop_ && std::chrono::steady_clock::now() < deadline) {
    if (headerEnd != std::string::npos && raw.size() >= need) break;
    if (!Readable(s, 50)) continue;
    const int n = recv(s, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    raw.append(buffer, static_cast<size_t>(n));
    if (headerEnd == std::string::npos && (headerEnd = raw.find("\r\n\r\n")) != std::string::npos) {
      const size_t lineEnd = raw.find("\r\n");
      request.line = raw.substr(0, lineEnd);
      request.headers = raw.substr(lineEnd + 2, headerEnd - lineEnd);
      need = headerEnd + 4 + static_cast<size_t>(std::atoll(request.Header("Content-Length").c_str()));
    }
  }
  if (headerEnd == std::string::npos) {
    CloseSocket(s);
    return;
  }
  request.body = raw.substr(headerEnd + 4);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
  }
  const Reply reply = handler_(request);
  for (size_t sent = 0; sent < reply.bytes.size() && !stop_;) {
    const int chunk = static_cast<int>(std::min<size_t>(reply.bytes.size() - sent, 1 << 20));
    const int n = send(s, reply.bytes.data() + sent, chunk, 0);
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
  if (reply.then == Reply::Then::kReset) {
    linger l{1, 0};  // closing with a zero linger time sends RST
    setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l);
  } else if (reply.then == Reply::Then::kStall) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(reply.stallMilliseconds);
    while (!stop_ && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  CloseSocket(s);
}

bool RunningUnderWine() {
#ifdef _WIN32
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

int UnusedPort() {
  int port = 0;
  CloseSocket(Listen(&port));
  return port;
}

}  // namespace zicha::testing
