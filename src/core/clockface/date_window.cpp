#include "core/clockface/date_window.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/clockface/face_scale.h"

namespace quarvel {

namespace {

// Digits three font pixels wide and five high, a row in each 3 bits (left bit first).
constexpr int kGlyphWidth = 3, kGlyphHeight = 5;
constexpr std::array<std::array<uint8_t, kGlyphHeight>, 10> kGlyphs{{
    {7, 5, 5, 5, 7},  // 0
    {2, 6, 2, 2, 7},  // 1
    {7, 1, 7, 4, 7},  // 2
    {7, 1, 7, 1, 7},  // 3
    {5, 5, 7, 1, 1},  // 4
    {7, 4, 7, 1, 7},  // 5
    {7, 4, 7, 5, 7},  // 6
    {7, 1, 1, 1, 1},  // 7
    {7, 5, 7, 5, 7},  // 8
    {7, 5, 7, 1, 7},  // 9
}};
// In font pixels: a gap between the digits, the room inside the frame around them.
constexpr int kDigitGap = 1, kPadX = 2, kPadY = 2;
constexpr int kFontPixel = 2, kFrameWidth = 1;  // at the face's own size
// The default face's light and middle blues: the window's fill and its frame.
constexpr ColorRef kFillColor = 0xFCF2EC;   // red 236, green 242, blue 252
constexpr ColorRef kFrameColor = 0xC48C60;  // red 96, green 140, blue 196

int FontPixel(const DateWindow& w) {
  return std::max(1, ScaledLength(kFontPixel, w.scale));
}

void Fill(PixelImage& picture, ImageRect box, ColorRef color) {
  box.left = std::max(box.left, 0);
  box.top = std::max(box.top, 0);
  box.right = std::min(box.right, picture.width);
  box.bottom = std::min(box.bottom, picture.height);
  const Pixel pixel = PixelFromColorRef(color);
  for (int y = box.top; y < box.bottom; ++y) {
    Pixel* row =
        &picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)];
    std::fill(row + box.left, row + std::max(box.left, box.right), pixel);
  }
}

void PaintDigit(PixelImage& picture, int digit, int left, int top, int unit, ColorRef color) {
  for (int row = 0; row < kGlyphHeight; ++row)
    for (int col = 0; col < kGlyphWidth; ++col)
      if ((kGlyphs[static_cast<std::size_t>(digit)][static_cast<std::size_t>(row)] >>
           (kGlyphWidth - 1 - col)) &
          1)
        Fill(picture,
             {left + col * unit, top + row * unit, left + (col + 1) * unit, top + (row + 1) * unit},
             color);
}

}  // namespace

ImageRect DateWindowBox(const DateWindow& w) {
  // Always two digits wide, so the window keeps its size from the 9th to the 10th.
  const int unit = FontPixel(w);
  const int width = (2 * kGlyphWidth + kDigitGap + 2 * kPadX) * unit;
  const int height = (kGlyphHeight + 2 * kPadY) * unit;
  const int32_t x = w.centerX + w.radius * w.place.x / 100;
  const int32_t y = w.centerY + w.radius * w.place.y / 100;
  return {x - width / 2, y - height / 2, x - width / 2 + width, y - height / 2 + height};
}

void PaintDateWindow(PixelImage& picture, const DateWindow& w) {
  const ImageRect box = DateWindowBox(w);
  const int unit = FontPixel(w);
  const int frame = std::max(1, ScaledLength(kFrameWidth, w.scale));
  Fill(picture, box, kFrameColor);
  Fill(picture, {box.left + frame, box.top + frame, box.right - frame, box.bottom - frame},
       kFillColor);
  const int day = std::clamp<int>(w.day, 1, 31);
  const int top = box.top + kPadY * unit;
  const int left = box.left + kPadX * unit;
  if (day < 10) {  // one digit, in the middle
    PaintDigit(picture, day, left + (kGlyphWidth + kDigitGap) * unit / 2, top, unit, w.color);
    return;
  }
  PaintDigit(picture, day / 10, left, top, unit, w.color);
  PaintDigit(picture, day % 10, left + (kGlyphWidth + kDigitGap) * unit, top, unit, w.color);
}

void ShowDate(ClockState& state, FaceCanvas& canvas, Clock& clock) {
  if (!state.date) {
    if (canvas.Decorated()) canvas.DecorateBackground(nullptr);
    return;
  }
  const auto day = static_cast<int16_t>(clock.Now().dayOfMonth);
  const DateWindow wanted{day,         state.centerX,   state.centerY,  state.radius,
                          state.scale, state.datePlace, state.dateColor};
  if (canvas.Decorated() && wanted == state.dateShown) return;
  canvas.DecorateBackground([&](PixelImage& picture) { PaintDateWindow(picture, wanted); });
  state.dateShown = wanted;
}

}  // namespace quarvel
