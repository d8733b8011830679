// The screens changing under a running clock: a clock no monitor shows any more comes back as
// at start-up, parked or not, and its home and dodge square follow where it really is.
#include <gtest/gtest.h>

#include "clock_fixture.h"

namespace quarvel {
namespace {

class ScreenChangeTest : public testing::ClockFixture {
 protected:
  // A 200-pixel top-most clock at the given place on a 1600x1200 screen, after its first redraw.
  Form1& StartOnLargeScreen(int left, int top) {
    system.SetMonitors({{{0, 0, 1600, 1200}, {0, 0, 1600, 1170}}});
    programDir.Write("settings.ini", "");
    Form1& f =
        Start(std::to_string(left) + "," + std::to_string(top) + "\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
    window.Tick(Form1::kSecondTick);
    return f;
  }
  // The resolution lowered to 800x600, with a panel of 30 pixels at the bottom.
  void ShrinkTo800x600() {
    system.SetMonitors({{{0, 0, 800, 600}, {0, 0, 800, 570}}});
    window.ScreenChanged();
  }
  std::pair<int, int> Home() const { return {form->state().windowLeft, form->state().windowTop}; }
  std::pair<int, int> Place() const { return {window.left(), window.top()}; }
};

TEST_F(ScreenChangeTest, AClockOffTheSmallerScreenComesBackAndIsSavedThere) {
  StartOnLargeScreen(1000, 800);
  ShrinkTo800x600();
  // As near its place as fits in the work area.
  EXPECT_EQ(Place(), std::make_pair(600, 370));
  EXPECT_EQ(Home(), std::make_pair(600, 370));
  NextSecondWithPointerAt(650, 400);  // the dodge square is the new one
  EXPECT_TRUE(form->state().dodged);
  NextSecondWithPointerAt(100, 100);
  EXPECT_EQ(Place(), std::make_pair(600, 370));
  EXPECT_EQ(SavedOnClose(), "600,370\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST_F(ScreenChangeTest, AParkedClockComesHomeOntoTheSmallerScreen) {
  StartOnLargeScreen(1000, 800);
  window.MouseMove();  // parked at once
  ASSERT_TRUE(form->state().dodged);
  ShrinkTo800x600();
  EXPECT_TRUE(form->state().dodged);  // still parked, at home's new height
  EXPECT_EQ(Place(), std::make_pair(form->ParkedLeft(), 370));
  EXPECT_EQ(Home(), std::make_pair(600, 370));
  NextSecondWithPointerAt(100, 100);
  EXPECT_FALSE(form->state().dodged);
  EXPECT_EQ(Place(), std::make_pair(600, 370));
}

TEST_F(ScreenChangeTest, AClockStillOnAScreenStaysAndHomeFollowsTheWindowManagersShift) {
  StartOnLargeScreen(300, 100);
  ShrinkTo800x600();
  EXPECT_EQ(Place(), std::make_pair(300, 100));  // nothing to do
  EXPECT_EQ(Home(), std::make_pair(300, 100));
  // The window manager moved a clock near the edge, so that only a corner of its square shows
  // and none of its face: the clock comes back; a shift that leaves some face shown is kept.
  StartOnLargeScreen(700, 500);
  system.SetMonitors({{{0, 0, 800, 600}, {0, 0, 800, 570}}});
  window.MoveTo(790, 590);
  window.ScreenChanged();
  EXPECT_EQ(Place(), std::make_pair(600, 370));
  EXPECT_EQ(Home(), std::make_pair(600, 370));
  window.MoveTo(680, 450);
  window.ScreenChanged();
  EXPECT_EQ(Place(), std::make_pair(680, 450));
  EXPECT_EQ(Home(), std::make_pair(680, 450));
  NextSecondWithPointerAt(700, 470);  // inside the square the window really has
  EXPECT_TRUE(form->state().dodged);
}

TEST_F(ScreenChangeTest, AMonitorUnpluggedOnTheLeftBringsTheClockToTheOneLeft) {
  system.SetMonitors(
      {{{0, 0, 1024, 768}, {0, 0, 1024, 740}}, {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}}});
  programDir.Write("settings.ini", "");
  Start("-1200,900\r\n 1 \r\nqv.bmp\r\n 2 \r\n");  // not top-most: it never parks
  EXPECT_EQ(Place(), std::make_pair(-1200, 900));
  system.SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 740}}});
  window.ScreenChanged();
  EXPECT_EQ(Place(), std::make_pair(0, 540));
  EXPECT_EQ(Home(), std::make_pair(0, 540));
}

}  // namespace
}  // namespace quarvel
