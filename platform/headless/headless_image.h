#pragma once
// An RGB picture in memory, read from a bitmap file and written as PNG with the stb headers.
#include <cstdint>
#include <string>
#include <vector>

namespace quarvel {

struct HeadlessImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width x height x 3, rows top to bottom

  bool empty() const { return width == 0 || height == 0; }
};

// Loads a picture file (BMP and the other formats stb knows). Raises file not found when it
// is missing and invalid picture when it can't be decoded.
HeadlessImage LoadImageFile(const std::string& path);

// Writes a PNG; raises path/file access error when it can't.
void WritePng(const HeadlessImage& image, const std::string& path);

}  // namespace quarvel
