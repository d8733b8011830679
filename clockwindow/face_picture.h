#pragma once
// The face bitmap as the clock loads it: a missing file is "file not found", a file that is not
// a bitmap the clock draws (or one wider or higher than 16384 pixels) is "invalid picture".
#include <string>

#include "platform/platform_types.h"

namespace quarvel {

PixelImage LoadFacePicture(const std::string& path, const std::string& displayName);

}  // namespace quarvel
