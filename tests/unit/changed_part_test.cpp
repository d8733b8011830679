// The part of each face the core says changed: every changed pixel, the moved hands' boxes.
#include <gtest/gtest.h>

#include "clock_fixture.h"
#include "core/clockface/changed_box.h"

namespace quarvel {
namespace {

class ChangedPartTest : public testing::ClockFixture {
 protected:
  // The pixels of the face the window showed before this one that differ outside the part:
  // outside its box, or outside the columns given for their row.
  int ChangedOutside(const PixelImage& before) const {
    const PixelImage& now = window.presented();
    const ImageRect& part = window.presentedChange();
    const std::vector<RowSpan>& rows = window.presentedRows();
    int outside = 0;
    for (int y = 0; y < now.height; ++y)
      for (int x = 0; x < now.width; ++x)
        if (now.At(x, y) != before.At(x, y) &&
            (x < part.left || x >= part.right || y < part.top || y >= part.bottom ||
             x < rows[static_cast<std::size_t>(y - part.top)].left ||
             x >= rows[static_cast<std::size_t>(y - part.top)].right))
          ++outside;
    return outside;
  }
  static ImageRect Union(const ImageRect& a, const ImageRect& b) {
    if (a.empty()) return b;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
  }
  // The box of one hand's lines (picked by colour) on the canvas now.
  ImageRect HandBox(ColorRef color) const {
    ImageRect box;
    for (const DrawnSegment& line : canvas().segments())
      if (line.color == color)
        box = Union(box, LineBox(line, canvas().pixels().width, canvas().pixels().height));
    return box;
  }
};

// Where two shared lines cross the later one shows: the crossing changed though neither did.
TEST(ChangedBox, LinesKeptInAnotherOrderChangeTheWholePicture) {
  const DrawnSegment red{0, 5, 10, 5, 0xFF, 1}, blue{5, 0, 5, 10, 0xFF0000, 1};
  const DrawnSegment moved{20, 20, 30, 20, 0xFF, 1};
  EXPECT_EQ(ChangedBox({red, blue}, {blue, red}, 40, 30), (ImageRect{0, 0, 40, 30}));
  EXPECT_EQ(ChangedBox({red, blue}, {red, blue, moved}, 40, 30), (ImageRect{20, 20, 31, 21}));
  EXPECT_EQ(ChangedBox({red, red, blue}, {red, blue}, 40, 30), (ImageRect{0, 5, 11, 6}));
}

TEST_F(ChangedPartTest, EachSecondSendsTheOldAndNewSecondHandsBoxAndEveryChangedPixel) {
  clock.Set({11, 58, 50});
  Form1& f = StartAt300x100();
  // Through a change of minute and of hour: 11:58:51 ... 12:00:30.
  for (int s = 51; s < 51 + 100; ++s) {
    const PixelImage before = window.presented();
    const ImageRect secondBefore = HandBox(f.state().secondColor);
    clock.Set({11 + (58 * 60 + s) / 3600, (58 + s / 60) % 60, s % 60});
    window.Tick(Form1::kSecondTick);
    SCOPED_TRACE(s);
    EXPECT_EQ(ChangedOutside(before), 0);
    const ImageRect& part = window.presentedChange();
    const ImageRect seconds = Union(secondBefore, HandBox(f.state().secondColor));
    if (s % 60 == 0)  // a new minute: the minute (and hour) hand's boxes too
      EXPECT_EQ(Union(part, seconds), part);
    else  // the same minute: the hour and minute hands stayed
      EXPECT_EQ(part, seconds);
    EXPECT_LT(part.width() * part.height(), 200 * 200);  // never the whole face for a second
  }
}

TEST_F(ChangedPartTest, ALapFrameSendsTheLappingHandsBoxAndAStartTheWholeFace) {
  clock.Set({10, 15, 30});
  Form1& f = Start("300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_EQ(window.presentedChange(), WholeImage(window.presented()));  // the dial first
  window.Tick(Form1::kSecondTick);
  window.KeyDown('Z');
  for (int frame = 0; frame < 60 && f.TimerEnabled(Form1::kMinuteLap); ++frame) {
    const PixelImage before = window.presented();
    const ImageRect minuteBefore = HandBox(f.state().minuteColor);
    window.Tick(Form1::kMinuteLap);
    SCOPED_TRACE(frame);
    EXPECT_EQ(ChangedOutside(before), 0);
    EXPECT_EQ(window.presentedChange(), Union(minuteBefore, HandBox(f.state().minuteColor)));
  }
}

TEST_F(ChangedPartTest, ThePointerIsReadOnlyWhileTheClockHidesFromIt) {
  programDir.Write("settings.ini", "");
  Start("10,20\r\n-1 \r\nqv.bmp\r\n 2 \r\n");  // not top-most
  for (int s = 31; s < 36; ++s) {
    clock.Set({10, 8, s});
    window.Tick(Form1::kSecondTick);
  }
  EXPECT_EQ(system.cursorReads(), 0);
  window.KeyDown('A');  // top-most: each second asks where the pointer is
  clock.Set({10, 8, 40});
  window.Tick(Form1::kSecondTick);
  EXPECT_EQ(system.cursorReads(), 1);
}

}  // namespace
}  // namespace quarvel
