#pragma once
// A picture written as a PNG file, with stb_image_write.
#include <string>

#include "platform/platform_types.h"

namespace quarvel {

// The bytes of the picture as a PNG file; raises out of memory when it can't be encoded.
std::string EncodePng(const PixelImage& image, const std::string& nameForErrors);

// Writes the whole file or none of it, through the clock's safe save (runtime/safe_file.h): only
// a regular file is replaced (a link's target, the link kept); raises the run-time error of the
// failure (disk full, permission denied, path/file access error, out of memory).
void WritePng(const PixelImage& image, const std::string& path);

}  // namespace quarvel
