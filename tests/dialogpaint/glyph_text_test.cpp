// The dialogs' texts drawn with FreeType at the dialog's size (12 pixels at 96 dpi): where the
// ink of a known string lands, its advance, the clip, and the lines a label breaks into.
#include "dialogpaint/glyph_text.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include "core/infodialog/dialog_layout.h"
#include "tests/dialogpaint/ink.h"

namespace quarvel {
namespace {
using test::InkOf;
using test::kBlack;
using test::kWhite;

class GlyphTextTest : public ::testing::Test {
 protected:
  GlyphText text_{infodialog::FontPixelHeight(15.0f)};
};

TEST_F(GlyphTextTest, InksAKnownStringOnItsBaselineWithinItsAdvance) {
  ASSERT_TRUE(text_.loaded()) << "no font with the dialog's glyphs (scripts/install-deps.sh)";
  EXPECT_GE(text_.lineHeight(), 12);
  EXPECT_LE(text_.lineHeight(), 18);
  const int width = text_.Width("OK");
  EXPECT_GE(width, 12);
  EXPECT_EQ(text_.Width("OKOK"), 2 * width);  // the advances add up, as Xft's do

  PixelImage image = test::Blank(60, 30, kWhite);
  text_.Draw(image, 10, 20, "OK", kBlack, {0, 0, 60, 30});
  const auto ink = InkOf(image, kBlack);
  ASSERT_GT(ink.count, 20);
  // Capitals stand on the baseline, no higher than the ascent, within their advance; one-bit
  // glyphs: nothing but the ink's colour and the ground.
  EXPECT_EQ(ink.box.bottom, 20);
  EXPECT_GE(ink.box.top, 20 - text_.ascent());
  EXPECT_LE(ink.box.top, 20 - 6);
  EXPECT_GE(ink.box.left, 10);
  EXPECT_LE(ink.box.right, 10 + width);
  EXPECT_EQ(InkOf(image, kWhite).count + ink.count, 60 * 30);
}

TEST_F(GlyphTextTest, DrawsJapaneseAndNothingOutsideTheClip) {
  PixelImage whole = test::Blank(80, 30, kWhite);
  text_.Draw(whole, 2, 20, "時計は", kBlack, {0, 0, 80, 30});
  const auto ink = InkOf(whole, kBlack);
  EXPECT_GT(ink.count, 30);
  EXPECT_LE(ink.box.right, 2 + text_.Width("時計は"));

  PixelImage clipped = test::Blank(80, 30, kWhite);
  text_.Draw(clipped, 2, 20, "時計は", kBlack, {10, 0, 20, 30});
  const auto inside = InkOf(clipped, kBlack);
  EXPECT_GT(inside.count, 0);
  EXPECT_GE(inside.box.left, 10);
  EXPECT_LE(inside.box.right, 20);
  EXPECT_EQ(inside.count, InkOf(whole, kBlack, {10, 0, 20, 30}).count);
}

TEST_F(GlyphTextTest, BreaksTheLongLabelIntoLinesThatFit) {
  const auto& label = infodialog::kControls[5];  // the Shift advice, two lines in the dialog
  const auto rect = infodialog::ControlRect(label, 15.0f, 15.0f);
  const auto lines = text_.Wrap(label.text, rect.width);
  ASSERT_EQ(lines.size(), 2u);
  for (const auto& line : lines) EXPECT_LE(text_.Width(line), rect.width) << line;
  EXPECT_EQ(lines[0] + lines[1], label.text);
}

// fontconfig is let go of at the end, as the clock does when it ends.
class FontconfigEnd : public ::testing::Environment {
 public:
  void TearDown() override { FcFini(); }
};
const auto* const kFontconfigEnd = ::testing::AddGlobalTestEnvironment(new FontconfigEnd);

}  // namespace
}  // namespace quarvel
