#pragma once
// Times an operation against its peer in the same run: every iteration runs both, the
// benchmark's time is the operation's, and the ratio of the two medians is reported, which
// survives a noisy machine better than either time alone.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace benchsupport {

inline double SecondsOf(auto&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

// Runs operation and peer once per iteration (use UseManualTime on the benchmark) and sets the
// counters "<peerName>_ms" and "ratio" (operation median / peer median).
inline void TimeAgainstPeer(benchmark::State& state, const char* peerName, auto&& operation,
                            auto&& peer) {
  std::vector<double> own, other;
  for (auto _ : state) {
    const double seconds = SecondsOf(operation);
    own.push_back(seconds);
    other.push_back(SecondsOf(peer));
    state.SetIterationTime(seconds);
  }
  const double ownMedian = Median(own), peerMedian = Median(other);
  state.counters["ms"] = ownMedian * 1e3;
  state.counters[std::string(peerName) + "_ms"] = peerMedian * 1e3;
  state.counters["ratio"] = peerMedian > 0 ? ownMedian / peerMedian : 0.0;
}

} // namespace benchsupport
