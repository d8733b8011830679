#pragma once
// Numbers as text. The decimal separator is always a point, whatever the user's regional
// settings say, so a value written and read back never loses its fraction.
#include <cstdint>
#include <string>

namespace quarvel {

// Decimal text with at most 15 significant digits ("6.5", "59.2142857142857").
std::string DecimalText(double value);

// The number a decimal text stands for; 0 when the text does not start with a number.
double DecimalValue(const std::string& text);

// Writes then reads back with at most 15 significant digits: this drops the last-bit noise of a
// computation (5 x 0.3 comes back as exactly 1.5) before a value is rounded.
double RoundTripDecimal(double value);

// A printed number: a blank or a minus sign, the decimal digits, one trailing blank (" 2 ", "-1 ").
std::string PrintedNumber(int64_t value);

}  // namespace quarvel
