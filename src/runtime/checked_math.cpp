#include "runtime/checked_math.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace quarvel {

int16_t Narrow16(int64_t value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
    Raise(ErrorNumber::kOverflow);
  return static_cast<int16_t>(value);
}

int32_t Narrow32(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    Raise(ErrorNumber::kOverflow);
  return static_cast<int32_t>(value);
}

int16_t Add16(int16_t a, int16_t b) {
  return Narrow16(int64_t{a} + b);
}
int32_t Add32(int32_t a, int32_t b) {
  return Narrow32(int64_t{a} + b);
}
int32_t Sub32(int32_t a, int32_t b) {
  return Narrow32(int64_t{a} - b);
}
int32_t Mul32(int32_t a, int32_t b) {
  return Narrow32(int64_t{a} * b);
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double floor = std::floor(value);
  double fraction = value - floor;  // exact for doubles of any magnitude
  if (fraction > 0.5) return floor + 1.0;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

namespace {
template <typename T>
T RoundTo(double value) {
  double rounded = RoundHalfEven(value);
  // NaN fails both comparisons, so it lands in the error branch too.
  if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max()))
    Raise(ErrorNumber::kOverflow);
  return static_cast<T>(rounded);
}
}  // namespace

int16_t Round16(double value) {
  return RoundTo<int16_t>(value);
}
int32_t Round32(double value) {
  return RoundTo<int32_t>(value);
}

}  // namespace quarvel
