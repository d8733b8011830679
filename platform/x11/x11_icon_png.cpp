// Writes the clock's 32 x 32 icon, transparent outside its dial, as a PNG for the desktop's
// menus (`make install` puts it into the hicolor icon theme):
//   quarvel-icon-png <file>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/x11/x11_resources.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#endif
#include <stb/stb_image_write.h>  // built into the headless backend
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

int main(int argc, char** argv) {
  if (argc != 2) return 64;
  // _NET_WM_ICON's layout: width, height, ARGB pixels, then the next image.
  const std::vector<long> icon = quarvel::X11IconCardinals();
  for (std::size_t at = 0; at + 2 <= icon.size();) {
    const long width = icon[at], height = icon[at + 1];
    if (width == 32 && height == 32) {
      std::vector<uint8_t> rgba;
      for (long i = 0; i < width * height; ++i) {
        const auto argb = static_cast<uint32_t>(icon[at + 2 + static_cast<std::size_t>(i)]);
        for (int shift : {16, 8, 0, 24}) rgba.push_back(static_cast<uint8_t>(argb >> shift));
      }
      return stbi_write_png(argv[1], 32, 32, 4, rgba.data(), 32 * 4) ? 0 : 1;
    }
    at += 2 + static_cast<std::size_t>(width * height);
  }
  std::fprintf(stderr, "quarvel-icon-png: no 32 x 32 image in the icon\n");
  return 1;
}
