// The date's window as a person sees it on the clock: the day in its box under the hands, the
// new day shown at midnight, the place and colour options.ini gives, and with the date off the
// face of a clock that never had one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clock_fixture.h"
#include "core/clockface/date_window.h"
#include "core/clockface/face_redraw.h"
#include "core/skin/bmp_decoder.h"

namespace quarvel {
namespace {

// The window's pixels as art: '+' its frame, '.' its fill, '#' a digit, '~' the face around.
constexpr int kBoxWidth = 22, kBoxHeight = 18;  // at the face's own size
const std::vector<std::string> kDay31 = {
    "++++++++++++++++++++++",  //
    "+....................+",  //
    "+....................+",  //
    "+....................+",  //
    "+...######....##.....+",  //
    "+...######....##.....+",  //
    "+.......##..####.....+",  //
    "+.......##..####.....+",  //
    "+...######....##.....+",  //
    "+...######....##.....+",  //
    "+.......##....##.....+",  //
    "+.......##....##.....+",  //
    "+...######..######...+",  //
    "+...######..######...+",  //
    "+....................+",  //
    "+....................+",  //
    "+....................+",  //
    "++++++++++++++++++++++",  //
};

class DateWindowTest : public testing::ClockFixture {
 protected:
  Form1& StartWith(const std::string& options) {
    work.Write("options.ini", options);
    return StartAt300x100();
  }
  // The art of the shown face's box whose top-left corner is at (left, top).
  std::vector<std::string> ArtAt(int left, int top, ColorRef digits = kDefaultDateColor) const {
    const PixelImage& face = window.presented();
    std::vector<std::string> art;
    for (int y = top; y < top + kBoxHeight; ++y) {
      std::string row;
      for (int x = left; x < left + kBoxWidth; ++x) {
        const Pixel p = face.At(x, y);
        row += p == PixelFromColorRef(0xC48C60)   ? '+'
               : p == PixelFromColorRef(0xFCF2EC) ? '.'
               : p == PixelFromColorRef(digits)   ? '#'
                                                  : '~';
      }
      art.push_back(row);
    }
    return art;
  }
  // The face at 3 o'clock on the 200-pixel clock: 55 % of its 80-pixel radius right of centre.
  static constexpr int kLeft = 144 - kBoxWidth / 2, kTop = 100 - kBoxHeight / 2;
};

TEST_F(DateWindowTest, TheDayShowsAtThreeOClockAndTheNextDayComesAtMidnight) {
  for (const char* options : {"date=on\n", "date=on\nseconds_hand=off\n"}) {
    SCOPED_TRACE(options);
    clock.Set({23, 59, 58, 400, 31});
    Form1& f = StartWith(options);
    EXPECT_EQ(ArtAt(kLeft, kTop), kDay31);
    // A second that moves only the hands sends only their part, not the face again.
    clock.Set({23, 59, 59, 400, 31});
    window.Tick(Form1::kSecondTick);
    EXPECT_NE(window.presentedChange(), WholeImage(window.presented()));
    // Midnight: the 1st, one digit in the middle of the same window.
    clock.Set({0, 0, 0, 20, 1});
    window.Tick(Form1::kSecondTick);
    std::vector<std::string> day1 = kDay31;
    for (int row = 4; row < 14; ++row)
      day1[row] = "+......." + std::string(row < 6 || row > 7 ? "..##.." : "####..") + ".......+";
    day1[12] = day1[13] = "+.......######.......+";
    EXPECT_EQ(ArtAt(kLeft, kTop), day1);
    EXPECT_EQ(window.screen().pixels, f.canvas().pixels().pixels);  // all of it reached it
  }
}

TEST_F(DateWindowTest, TheSkinPlacesAndColoursItAndTheHandsAreDrawnOverIt) {
  clock.Set({9, 41, 15, 0, 31});  // the minute hand points through the window
  constexpr ColorRef kGrey = 0x808080;
  Form1& f = StartWith("date=on\ndate_place=-55,25\ndate_colour=8421504\n");
  const std::vector<std::string> shown = ArtAt(56 - kBoxWidth / 2, 120 - kBoxHeight / 2, kGrey);
  int minuteHand = 0;
  for (int y = 0; y < kBoxHeight; ++y)
    for (int x = 0; x < kBoxWidth; ++x) {
      if (shown[y][x] == kDay31[y][x]) continue;
      // Only the minute hand differs from the window, and only on its own line.
      EXPECT_EQ(window.presented().At(56 - kBoxWidth / 2 + x, 120 - kBoxHeight / 2 + y),
                PixelFromColorRef(f.state().minuteColor));
      ++minuteHand;
    }
  EXPECT_GT(minuteHand, 0);
  // Nothing of it at the default place.
  for (const std::string& row : ArtAt(kLeft, kTop, kGrey))
    EXPECT_EQ(row.find_first_of("+.#"), std::string::npos);
}

TEST_F(DateWindowTest, OffOrUnsetTheFaceIsThePictureWithTheHandsAlone) {
  const std::optional<PixelImage> picture = DecodeBmp(work.Read("qv.bmp"));
  ASSERT_TRUE(picture);
  for (const char* options : {"", "date=off\ndate_place=0,0\ndate_colour=0\n"}) {
    SCOPED_TRACE(options);
    clock.Set({3, 14, 15, 0, 27});
    Form1& f = StartWith(options);
    FaceCanvas plain(200, 200);
    plain.SetBackgroundPicture(*picture);
    for (const DrawnSegment& line : f.canvas().segments()) {
      plain.SetForeColor(line.color);
      plain.SetDrawWidth(line.width);
      plain.Line(line.x1, line.y1, line.x2, line.y2);
    }
    EXPECT_EQ(window.presented().pixels, plain.pixels().pixels);
  }
}

TEST(DateWindow, TheLiveFaceTakesItsWindowAwayAndMovesItAsTheSwitchesChange) {
  const auto windowPixels = [](const FaceCanvas& canvas) {
    int count = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) count += canvas.PixelAt(x, y) == 0xFCF2EC;
    return count;
  };
  FaceCanvas canvas(200, 200);
  StoppedClock clock({10, 10, 30, 0, 9});
  ClockState state;
  state.date = true;
  RedrawFace(state, canvas, clock);
  const int shown = windowPixels(canvas);
  EXPECT_GT(shown, 0);
  EXPECT_EQ(canvas.PixelAt(135, 93), 0xFCF2EC);  // inside the frame at 3 o'clock
  state.datePlace = {0, -50};
  RedrawFace(state, canvas, clock);
  EXPECT_EQ(windowPixels(canvas), shown);
  EXPECT_NE(canvas.PixelAt(135, 93), 0xFCF2EC);
  EXPECT_EQ(canvas.PixelAt(91, 53), 0xFCF2EC);  // half the radius above the centre
  state.date = false;
  RedrawFace(state, canvas, clock);
  EXPECT_EQ(windowPixels(canvas), 0);
}

}  // namespace
}  // namespace quarvel
