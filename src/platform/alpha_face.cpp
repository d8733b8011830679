#include "platform/alpha_face.h"

#include <algorithm>

#include "platform/opacity_scale.h"

namespace quarvel {

namespace {
constexpr Pixel kOpaque = 0xFF000000;

// A colour channel at `shift` times alpha / 255, to the nearest.
Pixel Premultiplied(Pixel pixel, int shift, uint32_t alpha) {
  const uint32_t channel = (pixel >> shift) & 0xFF;
  return ((channel * alpha + 127) / 255) << shift;
}

Pixel WithAlpha(Pixel pixel, uint32_t alpha) {
  if (alpha == 0xFF) return pixel | kOpaque;
  return (alpha << 24) | Premultiplied(pixel, 16, alpha) | Premultiplied(pixel, 8, alpha) |
         Premultiplied(pixel, 0, alpha);
}
}  // namespace

void AlphaFace::SetRegion(const std::vector<RegionRow>& rows) {
  rowOf_.clear();
  for (const RegionRow& row : rows) {
    if (row.y < 0) continue;
    if (static_cast<std::size_t>(row.y) >= rowOf_.size())
      rowOf_.resize(static_cast<std::size_t>(row.y) + 1);
    rowOf_[static_cast<std::size_t>(row.y)] = row;
  }
  round_ = !rows.empty();
  whole_ = true;
}

void AlphaFace::SetVeiled(bool veiled) {
  veiled_ = veiled;
  whole_ = true;
}

void AlphaFace::SetOpacity(int percent) {
  alpha_ = static_cast<uint32_t>(OpacityOnScale(percent, 0xFF));
  whole_ = true;
}

bool AlphaFace::Inside(int x, int y) const {
  if (veiled_) return false;
  if (!round_) return true;
  if (static_cast<std::size_t>(y) >= rowOf_.size()) return false;
  const RegionRow& row = rowOf_[static_cast<std::size_t>(y)];
  return row.left <= x && x < row.right;
}

ChangedPart AlphaFace::Update(const PixelImage& face, const ChangedPart& part) {
  if (whole_ || pixels_.width != face.width || pixels_.height != face.height) {
    pixels_.width = face.width;
    pixels_.height = face.height;
    pixels_.pixels.assign(face.pixels.size(), 0);
    whole_ = false;
    const ChangedPart all = WholeRows({0, 0, face.width, face.height});
    Update(face, all);
    return all;
  }
  const int top = std::max(part.box.top, 0), bottom = std::min(part.box.bottom, face.height);
  for (int y = top; y < bottom; ++y) {
    const RowSpan& span = part.rows[static_cast<std::size_t>(y - part.box.top)];
    const int right = std::min(span.right, face.width);
    for (int x = std::max(span.left, 0); x < right; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(face.width) +
                             static_cast<std::size_t>(x);
      pixels_.pixels[at] = Inside(x, y) ? WithAlpha(face.pixels[at], alpha_) : 0;
    }
  }
  return part;
}

}  // namespace quarvel
