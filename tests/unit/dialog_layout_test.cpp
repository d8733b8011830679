// The first-run dialog's layout in pixels, its tab order and its texts' bytes.
#include "infodialog/dialog_layout.h"

#include <gtest/gtest.h>

namespace quarvel::infodialog {
namespace {

TEST(DialogLayout, PlacesAt15TwipsPerPixel) {
  EXPECT_EQ(DialogClientRect(15.0f, 15.0f), (PixelRect{184, 250, 372, 202}));
  EXPECT_EQ(ControlRect(kControls[2], 15.0f, 15.0f), (PixelRect{8, 8, 232, 61}));  // Picture1
  // Label1 and Label4 inside Frame1.
  EXPECT_EQ(ControlRect(kControls[4], 15.0f, 15.0f), (PixelRect{24, 120, 321, 17}));
  EXPECT_EQ(ControlRect(kControls[7], 15.0f, 15.0f), (PixelRect{24, 168, 313, 17}));
}

TEST(DialogLayout, TabOrderIsTheOrderOfTheControlsAndTheTextsKeepTheirEncoding) {
  for (std::size_t i = 0; i < kControls.size(); ++i)
    EXPECT_EQ(kControls[i].tabIndex, static_cast<int>(i));
  EXPECT_EQ(FontPixelHeight(15.0f), 12);  // 9 points at 96 dpi
  EXPECT_EQ(ReadmeFailureText("xdg-open readme.txt", "exit status 3"),
            "\"xdg-open readme.txt\" could not be started (exit status 3).");
  // Checked by their bytes' length and ends, so an editor's re-encoding shows.
  EXPECT_EQ(kControls[4].text.size(), 73u);
  EXPECT_TRUE(kControls[4].text.starts_with("QUARVEL\xE3\x82\x92"));  // "QUARVELを"
  EXPECT_TRUE(kControls[5].text.find("[Shift]") != std::string_view::npos);
}

}  // namespace
}  // namespace quarvel::infodialog
