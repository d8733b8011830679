// What every system shares of a time zone: the shape of its name.
#include <algorithm>
#include <cctype>

#include "platform/time_zone.h"

namespace quarvel {

bool LooksLikeTimeZoneName(const std::string& name) {
  constexpr std::size_t kLongestZoneName = 64;
  if (name.empty() || name.size() > kLongestZoneName) return false;
  if (name.front() == '/' || name.back() == '/') return false;
  if (name.find("..") != std::string::npos || name.find("//") != std::string::npos) return false;
  return std::all_of(name.begin(), name.end(), [](unsigned char c) {
    return std::isalnum(c) != 0 || c == '/' || c == '_' || c == '-' || c == '+' || c == '.';
  });
}

}  // namespace quarvel
