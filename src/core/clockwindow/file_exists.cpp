#include "core/clockwindow/file_exists.h"

#include "runtime/ignore_errors.h"

namespace quarvel {

int16_t FileExists(PlatformSystem& system, const std::string& path) {
  using namespace file_attribute;
  bool found = false;
  IgnoreErrors([&] {
    std::optional<uint32_t> attributes = system.FindFirstFileAttributes(path);
    found = attributes.has_value() && (*attributes & (kHidden | kSystem | kDirectory)) == 0;
  });
  return found ? -1 : 0;
}

}  // namespace quarvel
