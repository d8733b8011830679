#pragma once
// A picture written as a PNG file, with stb_image_write.
#include <string>

#include "platform/platform_types.h"

namespace quarvel {

// Writes the whole file or none of it; raises the run-time error of the failure (disk full,
// permission denied, path/file access error, out of memory).
void WritePng(const PixelImage& image, const std::string& path);

}  // namespace quarvel
