// The first-run dialog's layout in pixels, its tab order and its texts' bytes.
#include "core/infodialog/dialog_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "core/infodialog/dialog_font.h"

namespace quarvel::infodialog {
namespace {

TEST(DialogLayout, PlacesAt15TwipsPerPixelTabOrderAndTexts) {
  EXPECT_EQ(DialogClientRect(15.0f, 15.0f), (PixelRect{184, 250, 372, 202}));
  EXPECT_EQ(ControlRect(kControls[2], 15.0f, 15.0f), (PixelRect{8, 8, 232, 61}));  // Picture1
  // Label1 and Label4 inside Frame1.
  EXPECT_EQ(ControlRect(kControls[4], 15.0f, 15.0f), (PixelRect{24, 120, 321, 17}));
  EXPECT_EQ(ControlRect(kControls[7], 15.0f, 15.0f), (PixelRect{24, 168, 313, 17}));
  // The tab order is the order of the controls, and the texts keep their encoding.
  for (std::size_t i = 0; i < kControls.size(); ++i)
    EXPECT_EQ(kControls[i].tabIndex, static_cast<int>(i));
  EXPECT_EQ(FontPixelHeight(15.0f), 12);  // 9 points at 96 dpi
  EXPECT_EQ(ReadmeFailureText("xdg-open readme.txt", "exit status 3"),
            "\"xdg-open readme.txt\" could not be started (exit status 3).");
  const Message readme = ReadmeFailureMessage("notepad.exe readme.txt", "error 2");
  EXPECT_EQ(readme.text, "\"notepad.exe readme.txt\" could not be started (error 2).");
  EXPECT_EQ(std::tuple(readme.caption, readme.button, readme.topmost),
            std::tuple("QUARVEL", "OK", true));
  // Checked by their bytes' length and ends, so an editor's re-encoding shows.
  EXPECT_EQ(kControls[4].text.size(), 73u);
  EXPECT_TRUE(kControls[4].text.starts_with("QUARVEL\xE3\x82\x92"));  // "QUARVELを"
  EXPECT_TRUE(kControls[5].text.find("[Shift]") != std::string_view::npos);
}

// The dialog's font and a message box's margins and button at the screen's scale, one rule for
// every backend: the font's half pixel up, as Windows rounds it, the lengths' ties to even.
TEST(DialogLayout, TheFontAndTheMessageBoxFollowTheScreensScale) {
  const std::tuple<float, int, int, int> screens[] = {
      {15.0f, 12, 12, 75}, {10.0f, 18, 18, 112}, {7.5f, 24, 24, 150}, {12.0f, 15, 15, 94}};
  EXPECT_EQ(FontPixelHeight(1440.0f / 100), 13);  // 12.5 pixels
  EXPECT_EQ(FontPixelHeight(1440.0f / 116), 15);  // 14.5
  for (auto [twips, font, margin, button] : screens) {
    EXPECT_EQ(FontPixelHeight(twips), font) << twips;
    EXPECT_EQ(ScaledFrom96Dpi(12, twips), margin) << twips;
    EXPECT_EQ(ScaledFrom96Dpi(75, twips), button) << twips;  // 144 dpi: 112.5 to 112
  }
}

// At 2x on a 1024x768 screen the designed place (368,500) would put most of the dialog below
// the screen: it moves up and left just enough; at 1x it stays where it was designed.
TEST(DialogLayout, ADialogOffTheWorkAreaMovesOntoItAsLittleAsItTakes) {
  const PixelRect work{0, 0, 1024, 738};
  EXPECT_EQ(KeptOnWorkArea({181, 227, 378, 231}, work), (PixelRect{181, 227, 378, 231}));
  EXPECT_EQ(KeptOnWorkArea({362, 454, 756, 454}, work), (PixelRect{268, 284, 756, 454}));
  EXPECT_EQ(KeptOnWorkArea({-50, -20, 100, 100}, {10, 30, 800, 600}),
            (PixelRect{10, 30, 100, 100}));
  // Larger than the work area: its top-left corner stays on it, the caption within reach.
  EXPECT_EQ(KeptOnWorkArea({500, 400, 1200, 900}, {10, 30, 800, 600}),
            (PixelRect{10, 30, 1200, 900}));
}

// A face is chosen only with a glyph for each of these, so a character decoded wrongly or left
// out would choose a face that draws boxes.
TEST(DialogFont, TheFacesAreCheckedForEveryCharacterOfTheTextsLatinAndJapanese) {
  const std::u32string_view characters = TextCharacters();
  EXPECT_EQ(std::set<char32_t>(characters.begin(), characters.end()).size(), characters.size());
  for (char32_t c : std::u32string_view(U"OKReadmeQUARVEL Ver.0.60[Shift]txt"))
    EXPECT_NE(characters.find(c), std::u32string_view::npos) << static_cast<int>(c);
  // を 選 ー 計 。 from the three Japanese labels, each from a multi-byte sequence.
  for (char32_t c : {U'\u3092', U'\u9078', U'\u30FC', U'\u8A08', U'\u3002'})
    EXPECT_NE(characters.find(c), std::u32string_view::npos) << static_cast<int>(c);
  EXPECT_TRUE(std::all_of(characters.begin(), characters.end(),
                          [](char32_t c) { return c >= U' ' && c <= U'\uFFFD'; }));
  EXPECT_EQ(kFaces.front(), "MS UI Gothic");  // the design's face comes first
  EXPECT_EQ(std::set<std::string_view>(kFaces.begin(), kFaces.end()).size(), kFaces.size());
}

}  // namespace
}  // namespace quarvel::infodialog
