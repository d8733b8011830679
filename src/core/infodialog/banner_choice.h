#pragma once
// Which of the banners drawn for the first-run dialog (core/infodialog/resources: 1x, 1.5x, 2x)
// suits a screen: the largest not larger than the screen's scale, so a banner is never blown up.

namespace quarvel::infodialog {

enum class BannerScale { kOne, kOneAndHalf, kTwo };

// From the screen's twips a pixel (15 at 96 dots an inch): 2x from 192 dots an inch (7.5),
// 1.5x from 144 (10), else 1x.
constexpr BannerScale BannerForScreen(float twipsPerPixel) {
  if (twipsPerPixel > 0 && twipsPerPixel <= 7.5f) return BannerScale::kTwo;
  if (twipsPerPixel > 0 && twipsPerPixel <= 10.0f) return BannerScale::kOneAndHalf;
  return BannerScale::kOne;
}

}  // namespace quarvel::infodialog
