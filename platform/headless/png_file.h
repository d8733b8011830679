#pragma once
// A picture written as a PNG file, with stb_image_write.
#include <string>

#include "platform/platform_types.h"

namespace quarvel {

// Raises path/file access error when the file can't be written whole.
void WritePng(const PixelImage& image, const std::string& path);

}  // namespace quarvel
