#include "dialogpaint/pixel_controls.h"

#include <algorithm>

namespace quarvel {

namespace {
constexpr Pixel kBlack = 0xFF000000u;

Pixel Grey(int level) {
  const auto l = static_cast<Pixel>(level);
  return 0xFF000000u | l << 16 | l << 8 | l;
}
}  // namespace

PixelImage BlankPicture(int width, int height) {
  PixelImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  return image;
}

void PixelControls::Clear() {
  std::fill(image_.pixels.begin(), image_.pixels.end(), Grey(classic::kFace));
}

void PixelControls::Fill(int level, int x, int y, int width, int height) {
  const int right = std::min(x + width, image_.width), bottom = std::min(y + height, image_.height);
  for (int row = std::max(y, 0); row < bottom; ++row)
    for (int column = std::max(x, 0); column < right; ++column)
      image_.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(image_.width) +
                    static_cast<std::size_t>(column)] = Grey(level);
}

void PixelControls::Point(int level, int x, int y) {
  Fill(level, x, y, 1, 1);
}

void PixelControls::Line(int level, int x1, int y1, int x2, int y2) {
  Fill(level, std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
}

void PixelControls::Outline(int level, int x, int y, int width, int height) {
  Line(level, x, y, x + width, y);
  Line(level, x, y + height, x + width, y + height);
  Line(level, x, y, x, y + height);
  Line(level, x + width, y, x + width, y + height);
}

void PixelControls::Edge(const infodialog::PixelRect& r, int inset, int topLeft, int bottomRight) {
  const int left = r.x + inset, top = r.y + inset;
  const int right = r.x + r.width - 1 - inset, bottom = r.y + r.height - 1 - inset;
  Line(topLeft, left, top, right - 1, top);
  Line(topLeft, left, top, left, bottom - 1);
  Line(bottomRight, left, bottom, right, bottom);
  Line(bottomRight, right, top, right, bottom);
}

void PixelControls::Button(const infodialog::PixelRect& r, std::string_view text, bool focused,
                           bool pressed) {
  Fill(classic::kFace, r.x, r.y, r.width, r.height);
  infodialog::PixelRect bevel = r;
  if (focused) {  // the button Enter presses has a frame of its own
    Outline(classic::kFocusedFrame, r.x, r.y, r.width - 1, r.height - 1);
    bevel = {r.x + 1, r.y + 1, r.width - 2, r.height - 2};
  }
  if (pressed) {
    Edge(bevel, 0, classic::kShadow, classic::kShadow);
  } else {
    Edge(bevel, 0, classic::kHighlight, classic::kDarkShadow);
    Edge(bevel, 1, classic::kLight, classic::kShadow);
  }
  const int shift = pressed ? 1 : 0;
  text_.Draw(image_, r.x + (r.width - text_.Width(text)) / 2 + shift,
             r.y + (r.height - text_.lineHeight()) / 2 + text_.ascent() + shift, text, kBlack,
             {0, 0, image_.width, image_.height});
  if (!focused) return;
  // The dotted focus frame, every other pixel, three pixels in.
  const int left = r.x + 3, top = r.y + 3, right = r.x + r.width - 4, bottom = r.y + r.height - 4;
  for (int x = left; x <= right; x += 2) {
    Point(classic::kFocusDots, x, top);
    Point(classic::kFocusDots, x, bottom - (bottom - top) % 2);
  }
  for (int y = top; y <= bottom; y += 2) {
    Point(classic::kFocusDots, left, y);
    Point(classic::kFocusDots, right - (right - left) % 2, y);
  }
}

// An etched frame whose top runs through the middle of a (here empty) caption line.
void PixelControls::GroupBox(const infodialog::PixelRect& r) {
  const int top = r.y + text_.lineHeight() / 2 - 1;
  Outline(classic::kHighlight, r.x + 1, top + 1, r.width - 2, r.y + r.height - top - 2);
  Outline(classic::kShadow, r.x, top, r.width - 2, r.y + r.height - top - 2);
}

void PixelControls::SunkenPicture(const infodialog::PixelRect& r, const PixelImage& picture) {
  Edge(r, 0, classic::kShadow, classic::kHighlight);
  Edge(r, 1, classic::kDarkShadow, classic::kLight);
  const int width = std::min(picture.width, r.width - 4);
  const int height = std::min(picture.height, r.height - 4);
  for (int y = 0; y < height; ++y) {
    const int row = r.y + 2 + y;
    if (row < 0 || row >= image_.height) continue;
    for (int x = 0; x < width; ++x) {
      const int column = r.x + 2 + x;
      if (column < 0 || column >= image_.width) continue;
      image_.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(image_.width) +
                    static_cast<std::size_t>(column)] = picture.At(x, y) | 0xFF000000u;
    }
  }
}

void PixelControls::Label(const infodialog::PixelRect& r, std::string_view text) {
  Lines(r, text_.Wrap(text, r.width));
}

void PixelControls::Lines(const infodialog::PixelRect& r, const std::vector<std::string>& lines) {
  const ImageRect clip{r.x, r.y, r.x + r.width, r.y + r.height};
  int top = r.y;
  for (const std::string& line : lines) {
    text_.Draw(image_, r.x, top + text_.ascent(), line, kBlack, clip);
    top += text_.lineHeight();
  }
}

}  // namespace quarvel
