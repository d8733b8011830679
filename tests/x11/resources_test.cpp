// The built-in banners and icon that tools/make-banner.sh makes, as the Linux clock reads them.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "dialogpaint/dialog_resources.h"

namespace quarvel {
namespace {

TEST(X11Resources, TheBannerIsTheDialAndTheNameOnDarkBlue) {
  const PixelImage banner = BannerPicture();
  ASSERT_EQ(std::make_tuple(banner.width, banner.height), std::make_tuple(228, 57));
  EXPECT_EQ(banner.At(2, 28), 0x004080u);  // the dial's dark blue: red 0, green 64, blue 128
  int white = 0;
  for (int y = 0; y < banner.height; ++y)
    for (int x = 64; x < banner.width; ++x) white += banner.At(x, y) == 0xFFFFFFu;
  EXPECT_GT(white, 800) << "the name in white";
}

// The largest drawn not larger than the screen's scale: 2x from 192 dpi, 1.5x from 144.
TEST(X11Resources, EachScreenGetsTheBannerDrawnForItsScale) {
  for (float twips : {15.0f, 12.0f, 10.01f, 0.0f}) EXPECT_EQ(BannerPicture(twips).width, 228);
  for (float twips : {10.0f, 7.6f}) {
    const PixelImage banner = BannerPicture(twips);
    EXPECT_EQ(std::make_tuple(banner.width, banner.height), std::make_tuple(342, 86)) << twips;
  }
  for (float twips : {7.5f, 5.0f}) {
    const PixelImage banner = BannerPicture(twips);
    ASSERT_EQ(std::make_tuple(banner.width, banner.height), std::make_tuple(456, 114)) << twips;
    EXPECT_EQ(banner.At(4, 56), 0x004080u);
    int white = 0;
    for (int y = 0; y < banner.height; ++y)
      for (int x = 128; x < banner.width; ++x) white += banner.At(x, y) == 0xFFFFFFu;
    EXPECT_GT(white, 3200) << "the name in white, four times the 1x one's area";
  }
}

// Its 256-pixel PNG is Windows' alone: the desktop's menus take the installed icons.
TEST(X11Resources, TheIconHas48To16PixelDialsTransparentInTheCorners) {
  const std::vector<long> cardinals = IconCardinals();
  std::size_t at = 0;
  for (long size : {48L, 32L, 24L, 16L}) {
    ASSERT_GE(cardinals.size(), at + 2 + static_cast<std::size_t>(size * size));
    EXPECT_EQ(std::make_tuple(cardinals[at], cardinals[at + 1]), std::make_tuple(size, size));
    const auto pixel = [&](long x, long y) {
      return static_cast<unsigned long>(cardinals[at + 2 + static_cast<std::size_t>(y * size + x)]);
    };
    EXPECT_EQ(std::make_tuple(pixel(0, 0), pixel(size - 1, size - 1)), std::make_tuple(0ul, 0ul));
    EXPECT_EQ(pixel(size / 2, size / 2) >> 24, 0xFFu) << "the hub is opaque";
    at += 2 + static_cast<std::size_t>(size * size);
  }
  EXPECT_EQ(at, cardinals.size());
}

}  // namespace
}  // namespace quarvel
