#pragma once
// The fuzz targets' invariant check: it aborts, so libFuzzer keeps the input as a crash file.
#include <cstdio>
#include <cstdlib>

namespace quarvel::fuzz {

inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace quarvel::fuzz
