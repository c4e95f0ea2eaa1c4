#pragma once
// A scripted HTTP/1.1 server on 127.0.0.1 for transport tests, portable between POSIX sockets and
// Winsock so the same tests run natively and under Wine. It records every request as received
// and answers through a handler; each connection carries one exchange and is then closed, reset
// or left stalled, as the reply says.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace zicha::testing {

struct ReceivedRequest {
  std::string raw;      // the bytes as received: request line, headers, body
  std::string line;     // the request line
  std::string headers;  // the header lines, each ended by CR LF
  std::string body;
  std::string method() const { return line.substr(0, line.find(' ')); }
  std::string target() const;
  // The value of the first header `name` (case-insensitive), or empty.
  std::string Header(std::string_view name) const;
  bool HasHeader(std::string_view name) const;
};

struct Reply {
  std::string bytes;  // sent as they are
  enum class Then { kClose, kReset, kStall } then = Then::kClose;
  int stallMilliseconds = 0;
};

// An answer with Content-Length and "Connection: close" added after `headers` (CR LF ended lines).
Reply Answer(int status, std::string_view headers, std::string_view body);

class TestServer {
 public:
  using Handler = std::function<Reply(const ReceivedRequest&)>;
  explicit TestServer(Handler handler);
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  int port() const { return port_; }
  std::string Url(std::string_view path) const;
  std::vector<ReceivedRequest> Requests() const;

 private:
  void Serve();
  void HandleConnection(uintptr_t socket);

  Handler handler_;
  uintptr_t listener_ = 0;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<ReceivedRequest> requests_;
  std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens.
int UnusedPort();

// True when the Windows build runs under Wine, whose WinINet differs from Windows' in a few
// places (docs/http-differences.md); tests relax exactly those assertions there.
bool RunningUnderWine();

}  // namespace zicha::testing
