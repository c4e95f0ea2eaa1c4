#pragma once
// Lookups per client address, limited by a token bucket: `burst` at once, refilled at `rate` per
// second. A rate of 0 turns the limit off. Safe to use from several threads; the table of clients
// is bounded (idle full buckets are dropped first).

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

namespace zicha::server {

class RateLimiter {
 public:
  using Clock = std::chrono::steady_clock;
  RateLimiter(double rate, double burst, size_t maxClients = 100000)
      : rate_(rate), burst_(burst), maxClients_(maxClients) {}
  // True when the client may look up now (and takes one token).
  bool Allow(const std::string& client, Clock::time_point now = Clock::now());

 private:
  struct Bucket {
    double tokens;
    Clock::time_point updated;
  };
  void Prune(Clock::time_point now);

  double rate_, burst_;
  size_t maxClients_;
  std::mutex mutex_;
  std::unordered_map<std::string, Bucket> buckets_;
};

}  // namespace zicha::server
