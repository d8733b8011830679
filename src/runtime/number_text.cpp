#include "runtime/number_text.h"

#include <charconv>
#include <system_error>

namespace quarvel {

std::string DecimalText(double value) {
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

double DecimalValue(const std::string& text) {
  double value = 0.0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;
  auto result = std::from_chars(begin, end, value, std::chars_format::general);
  return result.ec == std::errc() ? value : 0.0;
}

double RoundTripDecimal(double value) {
  return DecimalValue(DecimalText(value));
}

std::string PrintedNumber(int64_t value) {
  std::string digits = std::to_string(value);
  if (value >= 0) return " " + digits + " ";
  return digits + " ";  // std::to_string already leads with the minus sign
}

}  // namespace quarvel
