#pragma once
// Whether a file is there, as the directory search tells it (hidden and system files count as
// absent).
#include <cstdint>
#include <string>

#include "platform/platform_system.h"

namespace quarvel {

// -1 when the directory search finds the path among normal files (not hidden, not system, not
// a folder), else 0. A search that fails (a bad name, a missing drive) also gives 0: no error
// leaves this routine.
int16_t FileExists(PlatformSystem& system, const std::string& path);

}  // namespace quarvel
