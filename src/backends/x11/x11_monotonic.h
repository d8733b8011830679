#pragma once
// The clock the X11 loop and the server's alarm count in: CLOCK_MONOTONIC, in nanoseconds.
#include <cstdint>
#include <ctime>

namespace quarvel {

constexpr int64_t kNsPerMs = 1000000;

inline int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace quarvel
