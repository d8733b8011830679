#pragma once
// The directory search's answer on Linux, for every Linux backend: a file's attributes as
// Windows names them, from stat().
#include <cstdint>
#include <optional>
#include <string>

namespace quarvel {

// The attributes (platform_system.h's file_attribute bits) of the entry at `path`, or nothing
// when there is none. Raises the directory search's run-time error for a name it can't take.
std::optional<uint32_t> LinuxFileAttributes(const std::string& path);

}  // namespace quarvel
