#include "core/skin/bmp_rle.h"

#include <cstddef>
#include <cstdint>

namespace quarvel {

namespace {

// The second byte of a pair that starts with zero.
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kDelta = 2;

class RleReader {
 public:
  RleReader(std::string_view data, RleDepth depth, const std::array<Pixel, 256>& palette,
            PixelImage& image)
      : data_(data), fourBits_(depth == RleDepth::kFour), palette_(palette), image_(image) {}

  bool Expand() {
    for (;;) {
      uint8_t count = 0;
      uint8_t code = 0;
      if (!Take(count) || !Take(code)) return false;
      if (count > 0) {
        if (!Fits(count)) return false;
        // A run of RLE4 alternates the byte's two pixels, the high one first.
        for (int i = 0; i < count; ++i) Put(fourBits_ ? Nibble(code, i) : code);
      } else if (code == kEndOfLine) {
        x_ = 0;
        if (++y_ == image_.height) return true;  // the last row's end ends the bitmap too
      } else if (code == kEndOfBitmap) {
        return true;
      } else if (code == kDelta) {
        uint8_t right = 0;
        uint8_t up = 0;
        if (!Take(right) || !Take(up)) return false;
        x_ += right;
        y_ += up;
        if (x_ > image_.width) return false;
        if (y_ >= image_.height) return true;  // moved past the top: nothing left to draw
      } else if (!Absolute(code)) {
        return false;
      }
    }
  }

 private:
  // `count` pixels as they are, in bytes padded to an even number.
  bool Absolute(int count) {
    const std::size_t bytes = fourBits_ ? (count + 1) / 2 : count;
    const std::size_t padded = (bytes + 1) / 2 * 2;
    if (data_.size() - at_ < padded || !Fits(count)) return false;
    const std::string_view pixels = data_.substr(at_, bytes);
    at_ += padded;
    for (int i = 0; i < count; ++i) {
      const auto byte = static_cast<uint8_t>(pixels[fourBits_ ? i / 2 : i]);
      Put(fourBits_ ? Nibble(byte, i) : byte);
    }
    return true;
  }

  bool Take(uint8_t& byte) {
    if (at_ == data_.size()) return false;
    byte = static_cast<uint8_t>(data_[at_++]);
    return true;
  }
  bool Fits(int count) const { return x_ + count <= image_.width; }
  static uint8_t Nibble(uint8_t byte, int i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; }
  void Put(uint8_t index) {
    const auto row = static_cast<std::size_t>(image_.height - 1 - y_);
    image_.pixels[row * static_cast<std::size_t>(image_.width) + static_cast<std::size_t>(x_++)] =
        palette_[index];
  }

  std::string_view data_;
  std::size_t at_ = 0;
  const bool fourBits_;
  const std::array<Pixel, 256>& palette_;
  PixelImage& image_;
  int x_ = 0;
  int y_ = 0;  // rows from the bottom
};

}  // namespace

bool ExpandRle(std::string_view data, RleDepth depth, const std::array<Pixel, 256>& palette,
               PixelImage& image) {
  return RleReader(data, depth, palette, image).Expand();
}

}  // namespace quarvel
