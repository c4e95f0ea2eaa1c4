// Fetches one URL with HttpRequest over the platform transport and prints the body size and the
// process's peak resident memory, for scripts/bench-http.sh.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "http/request.h"

// With --hold N: only what any reader that keeps the body in memory must do, N bytes appended in
// 1 KiB pieces to one growing buffer, for comparison.
int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--hold") {
    std::string held;
    const char piece[1024] = {};
    for (long n = std::atol(argv[2]); n > 0; n -= 1024) held.append(piece, 1024);
    std::printf("%zu\n", held.size());
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: http_fetch URL | http_fetch --hold BYTES\n");
    return 2;
  }
  const zicha::Bytes body = zicha::HttpRequest(argv[1]);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%zu %ld\n", body.size(), usage.ru_maxrss);  // bytes, KiB
  return body.empty() ? 1 : 0;
}
