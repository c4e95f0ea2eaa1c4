#include "server/rate_limit.h"

#include <algorithm>

namespace zicha::server {

bool RateLimiter::Allow(const std::string& client, Clock::time_point now) {
  if (rate_ <= 0) return true;
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = buckets_.find(client);
  if (it == buckets_.end()) {
    if (buckets_.size() >= maxClients_) Prune(now);
    it = buckets_.emplace(client, Bucket{burst_, now}).first;
  }
  Bucket& b = it->second;
  const double elapsed = std::chrono::duration<double>(now - b.updated).count();
  b.tokens = std::min(burst_, b.tokens + std::max(0.0, elapsed) * rate_);
  b.updated = now;
  if (b.tokens < 1) return false;
  b.tokens -= 1;
  return true;
}

void RateLimiter::Prune(Clock::time_point now) {
  // Buckets that would be full again carry no state worth keeping.
  for (auto it = buckets_.begin(); it != buckets_.end();) {
    const double elapsed = std::chrono::duration<double>(now - it->second.updated).count();
    it = it->second.tokens + elapsed * rate_ >= burst_ ? buckets_.erase(it) : std::next(it);
  }
  if (buckets_.size() >= maxClients_) buckets_.clear();  // under a flood, forget rather than grow
}

}  // namespace zicha::server
