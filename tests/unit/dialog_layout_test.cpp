// The first-run dialog's layout: pixel places at 96 dpi, the tab order and the exact texts.
#include "infodialog/dialog_layout.h"

#include <gtest/gtest.h>

#include <map>

namespace quarvel::infodialog {
namespace {

std::map<std::string_view, PixelRect> Rects() {
  std::map<std::string_view, PixelRect> rects;
  for (const ControlLayout& c : kControls) rects[c.name] = ControlRect(c, 15.0f, 15.0f);
  return rects;
}

TEST(DialogLayout, PlacesAt15TwipsPerPixel) {
  EXPECT_EQ(DialogClientRect(15.0f, 15.0f), (PixelRect{184, 250, 372, 202}));
  auto r = Rects();
  EXPECT_EQ(r["Picture1"], (PixelRect{8, 8, 232, 61}));
  EXPECT_EQ(r["OKButton"], (PixelRect{280, 8, 81, 25}));
  EXPECT_EQ(r["CancelButton"], (PixelRect{280, 72, 81, 25}));
  EXPECT_EQ(r["Label3"], (PixelRect{8, 80, 145, 17}));
  EXPECT_EQ(r["Frame1"], (PixelRect{8, 104, 353, 89}));
  EXPECT_EQ(r["Label1"], (PixelRect{24, 120, 321, 17}));  // inside the frame
  EXPECT_EQ(r["Label2"], (PixelRect{24, 136, 321, 33}));
  EXPECT_EQ(r["Label4"], (PixelRect{24, 168, 313, 17}));
}

TEST(DialogLayout, TabOrderStartsWithOkAndTextsAreExact) {
  for (std::size_t i = 0; i < kControls.size(); ++i)
    EXPECT_EQ(kControls[i].tabIndex, static_cast<int>(i));
  EXPECT_EQ(kControls[0].name, "OKButton");
  EXPECT_EQ(kControls[0].text, "OK");
  EXPECT_EQ(kControls[1].text, "Readme");
  EXPECT_EQ(kDialog.caption, "QUARVEL");
  EXPECT_EQ(kReadmeCommand, "notepad.exe readme.txt");
  EXPECT_EQ(kReadmeFile, "readme.txt");
  EXPECT_EQ(FontPixelHeight(15.0f), 12);  // 9 points at 96 dpi
  EXPECT_EQ(ReadmeFailureText("xdg-open readme.txt", "exit status 3"),
            "\"xdg-open readme.txt\" could not be started (exit status 3).");
  // The Japanese texts, checked by their bytes' length and ends so an editor's re-encoding shows.
  EXPECT_EQ(kControls[4].text.size(), 73u);
  EXPECT_TRUE(kControls[4].text.starts_with("QUARVEL\xE3\x82\x92"));  // "QUARVELを"
  EXPECT_TRUE(kControls[5].text.find("[Shift]") != std::string_view::npos);
  EXPECT_EQ(kControls[6].text, "QUARVEL Ver. 0.60");
}

}  // namespace
}  // namespace quarvel::infodialog
