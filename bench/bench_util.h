#pragma once
// Timing helpers for the benchmark drivers: the median of several runs of a callable.
#include <algorithm>
#include <chrono>
#include <vector>

namespace zicha::bench {

template <class F>
double MedianSeconds(int runs, F&& f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace zicha::bench
