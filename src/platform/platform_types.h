#pragma once
// The plain values that cross the platform seam: colours, screen points and rectangles, the
// monitors, and a picture in memory.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace quarvel {

// Colours in the COLORREF layout: red in the low byte, then green, then blue.
using ColorRef = int32_t;

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// Screen pixels; right and bottom lie just outside.
struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const ScreenRect&) const = default;
};

// The window's layer among the others: above every normal window, among them, or below them
// all (on the desktop).
enum class WindowLayer { kTopmost, kNormal, kBelow };

struct Monitor {
  ScreenRect bounds;
  ScreenRect workArea;  // the bounds less the task bar and docked tool bars
};

// One pixel as 0x00RRGGBB: the layout of a 32-bit Windows DIB and of a 24-bit X11 image.
using Pixel = uint32_t;

inline constexpr Pixel PixelFromColorRef(ColorRef color) {
  const auto c = static_cast<uint32_t>(color);
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// A picture in memory, rows top to bottom.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // width x height

  bool empty() const { return width <= 0 || height <= 0; }
  Pixel At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// A part of a picture in its pixels: left and top inside it, right and bottom just past it.
struct ImageRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool empty() const { return right <= left || bottom <= top; }
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool operator==(const ImageRect&) const = default;
};

inline ImageRect WholeImage(const PixelImage& image) {
  return {0, 0, image.width, image.height};
}

// The smallest box holding both (an empty one holds nothing).
inline ImageRect Union(const ImageRect& a, const ImageRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// The columns [left, right) of one row that a change may touch; none when left >= right.
struct RowSpan {
  int32_t left = 0;
  int32_t right = 0;
};

// The part of a picture that changed: its box, and for each row of the box (top first) the
// columns within it. A long slanting hand fills little of its box.
struct ChangedPart {
  ImageRect box;
  std::vector<RowSpan> rows;
};

// A box whose every column may have changed.
inline ChangedPart WholeRows(const ImageRect& box) {
  if (box.empty()) return {};
  return {box, std::vector<RowSpan>(static_cast<std::size_t>(box.height()), {box.left, box.right})};
}

}  // namespace quarvel
