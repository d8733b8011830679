#pragma once
// Checked integer arithmetic and the float-to-integer conversions of the clock. Every sum,
// product and narrowing on a 16- or 32-bit field goes through here, so an overflow is always the
// numbered overflow error and never a silent wrap.
#include <cstdint>

namespace quarvel {

int16_t Narrow16(int64_t value);
int32_t Narrow32(int64_t value);

int16_t Add16(int16_t a, int16_t b);
int32_t Add32(int32_t a, int32_t b);
int32_t Sub32(int32_t a, int32_t b);
int32_t Mul32(int32_t a, int32_t b);

// Nearest integer, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), independent of the floating
// point environment. NaN and infinities are overflows, as is any result outside the target.
double RoundHalfEven(double value);
int16_t Round16(double value);
int32_t Round32(double value);

}  // namespace quarvel
