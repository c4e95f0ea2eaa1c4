// zicha-server: the lookup service the program asks.
//   zicha-server [--db PATH] [--listen ADDR:PORT] [--rate PER_SECOND] [--burst N]
//   zicha-server import [--db PATH] FILE.csv
#include <httplib.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "server/address.h"
#include "server/answer.h"
#include "server/import.h"
#include "server/rate_limit.h"
#include "server/store.h"

namespace {

using namespace zicha::server;

constexpr const char* kDefaultDb = "zicha-leaks.db";
constexpr size_t kMaxRequestBody = 8 * 1024;
// More workers than the keep-alive connections we expect at once, so that a client that reconnects
// never waits for a worker that another connection holds.
constexpr int kWorkerThreads = 128;

int Usage() {
  std::fprintf(stderr,
               "usage: zicha-server [--db PATH] [--listen ADDR:PORT] [--rate PER_SECOND] [--burst N]\n"
               "       zicha-server import [--db PATH] FILE.csv\n"
               "defaults: --db %s --listen 127.0.0.1:80 --rate 5 --burst 10 (--rate 0: no limit)\n",
               kDefaultDb);
  return 2;
}

int Import(const std::string& db, const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "zicha-server: cannot read %s: %s\n", file.c_str(), std::strerror(errno));
    return 1;
  }
  LeakStore store(db, LeakStore::Mode::kReadWrite);
  if (!store.ok()) {
    std::fprintf(stderr, "zicha-server: cannot open %s: %s\n", db.c_str(), store.error().c_str());
    return 1;
  }
  const bool terminal = isatty(STDERR_FILENO);
  const ImportResult r = ImportCsv(in, store, [&](long records) {
    if (terminal) std::fprintf(stderr, "\rimporting: %ld records read", records);
  });
  if (terminal) std::fprintf(stderr, "\n");
  for (const BadRow& b : r.bad) std::fprintf(stderr, "%s:%ld: skipped: %s\n", file.c_str(), b.line, b.reason.c_str());
  if (!r.error.empty()) {
    std::fprintf(stderr, "zicha-server: import failed, nothing imported: %s\n", r.error.c_str());
    return 1;
  }
  std::printf("imported %s: %ld new records, %ld already present, %zu bad rows; %lld records in %s\n", file.c_str(),
              r.added, r.duplicates, r.bad.size(), store.Count(), db.c_str());
  return r.bad.empty() ? 0 : 3;
}

struct ServeOptions {
  std::string db = kDefaultDb;
  std::string host = "127.0.0.1";
  int port = 80;
  double rate = 5, burst = 10;
};

void Reply(httplib::Response& res, int status, const std::string& utf8) {
  res.status = status;
  res.set_content(EncodeAnswer(utf8), "text/plain; charset=utf-8");
}

int Serve(const ServeOptions& o) {
  {
    LeakStore probe(o.db, LeakStore::Mode::kReadOnly);
    if (!probe.ok()) {
      std::fprintf(stderr, "zicha-server: cannot open %s: %s (import data first: zicha-server import FILE.csv)\n",
                   o.db.c_str(), probe.error().c_str());
      return 1;
    }
  }
  // SIGINT and SIGTERM are taken by one thread that stops the server; block them everywhere else.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  httplib::Server server;
  RateLimiter limiter(o.rate, o.burst);
  const std::string db = o.db;
  server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
  // SO_REUSEADDR only: cpp-httplib also sets SO_REUSEPORT, which would let a second service
  // share a port that is in use instead of failing. TCP_NODELAY (inherited by accepted sockets):
  // the answer's head and body go out in separate writes, which Nagle's algorithm would hold
  // back for the client's delayed acknowledgement.
  server.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  });
  server.set_payload_max_length(kMaxRequestBody);
  server.set_read_timeout(5, 0);
  server.set_write_timeout(5, 0);
  server.set_keep_alive_timeout(5);
  server.set_keep_alive_max_count(1000);

  server.Post("/index.php", [&limiter, db](const httplib::Request& req, httplib::Response& res) {
    if (!limiter.Allow(req.remote_addr)) return Reply(res, 429, kTooManyAnswer);
    const DecodedAddress a = DecodeLookupBody(req.body);
    switch (a.status) {
      case AddressStatus::kEmpty: return Reply(res, 200, kNoAddressAnswer);
      case AddressStatus::kMalformed: return Reply(res, 400, kMalformedAnswer);
      case AddressStatus::kImplausible: return Reply(res, 200, kImplausibleAnswer);
      case AddressStatus::kOk: break;
    }
    // One read-only connection per worker thread.
    thread_local std::unique_ptr<LeakStore> store;
    if (!store) store = std::make_unique<LeakStore>(db, LeakStore::Mode::kReadOnly);
    if (!store->ok()) return Reply(res, 503, "查询服务暂时不可用，请稍后再试。");
    Reply(res, 200, LeaksAnswer(store->Find(HashAddress(a.address))));
  });
  auto notAllowed = [](const httplib::Request&, httplib::Response& res) {
    res.set_header("Allow", "POST");
    res.status = 405;
  };
  server.Get("/index.php", notAllowed);
  server.Put("/index.php", notAllowed);
  server.Delete("/index.php", notAllowed);
  server.Patch("/index.php", notAllowed);
  server.Options("/index.php", notAllowed);

  if (!server.bind_to_port(o.host, o.port)) {
    const int e = errno;
    std::fprintf(stderr, "zicha-server: cannot listen on %s:%d: %s\n", o.host.c_str(), o.port,
                 e ? std::strerror(e) : "address unavailable");
    if (o.port < 1024)
      std::fprintf(stderr, "  ports below 1024 need root (or CAP_NET_BIND_SERVICE); try --listen %s:8080\n",
                   o.host.c_str());
    return 1;
  }
  std::thread stopper([&] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
  });
  std::printf("zicha-server: serving %s on http://%s:%d/index.php\n", o.db.c_str(), o.host.c_str(), o.port);
  std::fflush(stdout);
  server.listen_after_bind();
  // Stopped by a signal, or the listener failed: make sure the stopper thread ends too.
  pthread_kill(stopper.native_handle(), SIGTERM);
  stopper.join();
  std::printf("zicha-server: stopped\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool import = !args.empty() && args[0] == "import";
  if (import) args.erase(args.begin());
  ServeOptions o;
  std::string file;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    try {
      if (a == "--db" && hasValue) {
        o.db = args[++i];
      } else if (a == "--listen" && hasValue && !import) {
        const std::string v = args[++i];
        const size_t colon = v.rfind(':');
        if (colon == std::string::npos) return Usage();
        o.host = v.substr(0, colon);
        o.port = std::stoi(v.substr(colon + 1));
      } else if (a == "--rate" && hasValue && !import) {
        o.rate = std::stod(args[++i]);
      } else if (a == "--burst" && hasValue && !import) {
        o.burst = std::stod(args[++i]);
      } else if (import && file.empty() && a.rfind("--", 0) != 0) {
        file = a;
      } else {
        return Usage();
      }
    } catch (const std::exception&) {
      return Usage();
    }
  }
  if (import) return file.empty() ? Usage() : Import(o.db, file);
  return Serve(o);
}
