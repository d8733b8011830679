#pragma once
// The fuzz targets' invariant check: it stops the run as a crash, so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

namespace quarvel::fuzz {

// Aborting (rather than throwing) makes libFuzzer write the input out as a crash file.
inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace quarvel::fuzz
