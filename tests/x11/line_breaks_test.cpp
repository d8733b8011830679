// Where the dialog's and the message boxes' texts break into lines, with a stand-in for the
// font: 7 pixels a Latin letter, 3 a blank, 12 a Japanese character.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogpaint/line_breaks.h"

namespace quarvel {
namespace {

int Measure(std::string_view text) {
  int width = 0;
  for (unsigned char c : text) width += c == ' ' ? 3 : c < 0x80 ? 7 : c >= 0xC0 ? 12 : 0;
  return width;
}

std::vector<std::string> Wrap(std::string_view text, int width) {
  return WrapText(text, width, Measure);
}

int Widest(const std::vector<std::string>& lines) {
  int widest = 0;
  for (const std::string& line : lines) widest = std::max(widest, Measure(line));
  return widest;
}

using Lines = std::vector<std::string>;

// A message box is as wide as its widest line: the lines must not change there, or one is cut.
TEST(LineBreaks, TheLinesAreTheSameAtTheWidthOfTheirWidestLine) {
  for (std::string_view text :
       {"The skin editor is not available for Linux yet: edit tyou.sin, tan.sin, byou.sin and "
        "settings.ini in /var/lib/someone/.config/quarvel by hand (readme.txt tells how; "
        "quarvel-preview shows the result).",
        "Run-time error 53: File not found (tyou.sin)\n\nThe clock's folder could not be set "
        "up: the default skin could not be copied into /var/lib/someone/.config/quarvel: Run-time "
        "error 61: Disk full (qv.bmp).\n\nThe clock has stopped. settings.ini was not changed.",
        "aaaa bbbb cccc dddd eeee ffff gggg", "詳しくはReadme.txtをお読みください。時計の設定"}) {
    SCOPED_TRACE(text);
    const Lines lines = Wrap(text, 150);
    ASSERT_GT(lines.size(), 1u);
    EXPECT_LE(Widest(lines), 150);
    EXPECT_EQ(Wrap(text, Widest(lines)), lines);
    EXPECT_EQ(Wrap(text, Widest(lines) + 1), lines);
  }
}

TEST(LineBreaks, ABlankWhereALineBreaksTakesNoRoom) {
  // "aaaa bbbb" is 59 pixels; the blank after it would make 62.
  for (const char* text : {"aaaa bbbb cccc", "aaaa bbbb   cccc"})
    EXPECT_EQ(Wrap(text, 59), (Lines{"aaaa bbbb", "cccc"})) << text;
  EXPECT_EQ(Wrap("aaaa bbbb cccc", 58), (Lines{"aaaa", "bbbb", "cccc"}));
}

TEST(LineBreaks, LineBreaksJapaneseAndWordsWiderThanTheLine) {
  EXPECT_EQ(Wrap("one\ntwo\r\n\nthree", 1000), (Lines{"one", "two", "", "three"}));
  EXPECT_EQ(Wrap("時計の設定", 36), (Lines{"時計の", "設定"}));
  EXPECT_EQ(Wrap("abcdefghij k", 35), (Lines{"abcde", "fghij", "k"}));
}

}  // namespace
}  // namespace quarvel
