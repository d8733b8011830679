#pragma once
// The face bitmap as the clock loads it: a missing file is "file not found", a file that is not
// a bitmap the clock draws (or one wider or higher than 16384 pixels, or a file larger than the
// decoder takes, refused unread) is "invalid picture"; a FIFO, a device or a folder is
// "path/file access error", refused without waiting on it.
#include <string>

#include "platform/platform_types.h"

namespace quarvel {

PixelImage LoadFacePicture(const std::string& path, const std::string& displayName);

}  // namespace quarvel
