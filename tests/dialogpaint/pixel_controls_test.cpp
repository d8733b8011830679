// The dialogs' controls painted into pixels as the X11 dialog draws them: the focused button's
// frame and dots, its text centred (and moved a pixel when pressed), labels kept in their box,
// the banner inside its sunken edge.
#include "dialogpaint/pixel_controls.h"

#include <gtest/gtest.h>

#include "tests/dialogpaint/ink.h"

namespace quarvel {
namespace {
using test::InkOf;
using test::kBlack;

Pixel Grey(int level) {
  const auto l = static_cast<Pixel>(level);
  return 0xFF000000u | l << 16 | l << 8 | l;
}

class PixelControlsTest : public ::testing::Test {
 protected:
  PixelImage image_ = test::Blank(120, 60, 0);
  GlyphText text_{12};
  PixelControls paint_{image_, text_};
  const infodialog::PixelRect button_{20, 10, 81, 25};
  const ImageRect buttonBox_{20, 10, 101, 35};
};

TEST_F(PixelControlsTest, FocusedButtonHasItsFrameDotsAndCentredText) {
  paint_.Clear();
  EXPECT_EQ(image_.At(0, 0), Grey(classic::kFace));
  paint_.Button(button_, "OK", true, false);
  EXPECT_EQ(image_.At(20, 10), Grey(classic::kFocusedFrame));
  EXPECT_EQ(image_.At(100, 34), Grey(classic::kFocusedFrame));
  EXPECT_EQ(image_.At(21, 11), Grey(classic::kHighlight));
  EXPECT_EQ(image_.At(99, 33), Grey(classic::kDarkShadow));
  EXPECT_EQ(image_.At(23, 13), Grey(classic::kFocusDots));
  EXPECT_EQ(image_.At(24, 13), Grey(classic::kFace));
  const auto ink = InkOf(image_, kBlack, buttonBox_);
  ASSERT_GT(ink.count, 20);
  EXPECT_NEAR((ink.box.left + ink.box.right) / 2.0, 60.5, 2.0);
  EXPECT_NEAR((ink.box.top + ink.box.bottom) / 2.0, 22.5, 3.0);

  paint_.Button(button_, "OK", true, true);  // held down: the text one pixel down and right
  const auto pressed = InkOf(image_, kBlack, buttonBox_);
  EXPECT_EQ(pressed.box.left, ink.box.left + 1);
  EXPECT_EQ(pressed.box.top, ink.box.top + 1);
  EXPECT_EQ(image_.At(20, 10), Grey(classic::kFocusedFrame));
  EXPECT_EQ(image_.At(21, 11), Grey(classic::kShadow));
}

TEST_F(PixelControlsTest, UnfocusedButtonHasNoFrame) {
  paint_.Clear();
  paint_.Button(button_, "Readme", false, false);
  EXPECT_EQ(image_.At(20, 10), Grey(classic::kHighlight));
  EXPECT_EQ(image_.At(23, 13), Grey(classic::kFace));
  EXPECT_GT(InkOf(image_, kBlack, buttonBox_).count, 20);
}

TEST_F(PixelControlsTest, LabelsStayInTheirBoxAndBannerInItsEdge) {
  paint_.Clear();
  paint_.Label({5, 5, 40, 14}, "QUARVEL Ver. 0.60 QUARVEL Ver. 0.60");
  const auto ink = InkOf(image_, kBlack);
  ASSERT_GT(ink.count, 10);
  EXPECT_GE(ink.box.left, 5);
  EXPECT_LE(ink.box.right, 45);
  EXPECT_LE(ink.box.bottom, 19);

  PixelImage banner = test::Blank(10, 6, 0x00123456u);
  paint_.SunkenPicture({60, 40, 14, 10}, banner);
  EXPECT_EQ(image_.At(60, 40), Grey(classic::kShadow));
  EXPECT_EQ(image_.At(61, 41), Grey(classic::kDarkShadow));
  EXPECT_EQ(image_.At(62, 42), 0xFF123456u);
  EXPECT_EQ(image_.At(71, 47), 0xFF123456u);
  EXPECT_EQ(image_.At(73, 49), Grey(classic::kHighlight));
}

}  // namespace
}  // namespace quarvel
