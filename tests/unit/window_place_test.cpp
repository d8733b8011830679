// Where the window goes: parked away from the pointer, back onto the screens left when they
// change, dragged; and the right button's hand-over to the editor.
#include <gtest/gtest.h>

#include "clock_fixture.h"

namespace quarvel {
namespace {

class MouseDodgeTest : public testing::ClockFixture {
 protected:
  // Whether the clock is parked, and its window's left edge.
  std::pair<bool, int> Dodge() const { return {form->state().dodged, window.left()}; }
  std::pair<int, int> Home() const { return {form->state().windowLeft, form->state().windowTop}; }
  std::pair<int, int> Place() const { return {window.left(), window.top()}; }
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
  static constexpr const char* kSaved = "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n";
};

constexpr int16_t kShift = 1, kCtrl = 2;

TEST_F(MouseDodgeTest, AMoveWithoutShiftParksAtOnceAndTheClockComesBackAfterThePointerLeaves) {
  Form1& f = StartAt300x100();
  window.MouseMove();
  EXPECT_EQ(Dodge(), std::make_pair(true, -1000));
  EXPECT_EQ(window.top(), 100);       // the top edge stays
  NextSecondWithPointerAt(350, 150);  // still inside the square: stays parked
  system.FailCursorReads();           // an unreadable pointer keeps the last position
  clock.Set({10, 8, 45});
  window.Tick(Form1::kSecondTick);
  EXPECT_EQ(f.state().cursorPos.x, 350);
  EXPECT_EQ(Dodge(), std::make_pair(true, -1000));
  NextSecondWithPointerAt(600, 150);
  EXPECT_EQ(Dodge(), std::make_pair(false, 300));
}

TEST_F(MouseDodgeTest, ShiftAloneSuspendsTheHidingButShiftWithCtrlDoesNot) {
  Form1& f = StartAt300x100();
  window.MouseMove(0, kShift);
  EXPECT_TRUE(f.state().shiftHeld);
  EXPECT_FALSE(f.state().dodged);
  NextSecondWithPointerAt(350, 150);  // the pointer test does nothing while shiftHeld
  EXPECT_EQ(window.left(), 300);
  window.MouseMove(0, kShift | kCtrl);
  EXPECT_FALSE(f.state().shiftHeld);
  EXPECT_TRUE(f.state().dodged);
}

TEST_F(MouseDodgeTest, ThePointerTestUsesTheStrictSquareNotTheRoundFace) {
  StartAt300x100();
  // The square's first column and row are outside, its last ones inside; its corners count,
  // though no mouse move reaches the round window there.
  const std::tuple<int, int, bool> steps[] = {{300, 150, false}, {350, 100, false},
                                              {500, 150, false}, {302, 102, true},
                                              {500, 300, false}, {499, 299, true}};
  for (auto [x, y, dodged] : steps) {
    NextSecondWithPointerAt(x, y);
    EXPECT_EQ(Dodge(), std::make_pair(dodged, dodged ? -1000 : 300)) << x << "," << y;
  }
}

TEST_F(MouseDodgeTest, NotTopmostNeverParksButStillRecordsAMovedWindow) {
  programDir.Write("settings.ini", "");
  Form1& f = Start("10,20\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
  system.InstallProgram("qvedit.exe", "qvs", 1);
  window.SetDragDestination(400, 250);
  window.MouseDown(1);
  window.MouseDown(4);                  // the middle button does nothing
  EXPECT_EQ(f.state().windowLeft, 10);  // recorded only at the next move
  window.MouseDown(3);                  // left and right: a drag, no hand-over
  EXPECT_EQ(window.drags(), 2);
  EXPECT_TRUE(system.started().empty());
  window.MouseMove();
  EXPECT_EQ(std::make_pair(f.state().windowLeft, f.state().windowTop), std::make_pair(400, 250));
  NextSecondWithPointerAt(450, 300);
  EXPECT_FALSE(f.state().dodged);
}

TEST_F(MouseDodgeTest, ParkingGoesLeftOfTheLeftmostScreenAndNeverRecordsTheParkedPlace) {
  // A second screen left of the main one covers x = -1000.
  system.SetMonitors(
      {{{0, 0, 1024, 768}, {0, 0, 1024, 740}}, {{-1920, 0, 0, 1080}, {-1920, 0, 0, 1080}}});
  Form1& f = StartAt300x100();
  window.MouseMove();
  EXPECT_EQ(window.left(), -1920 - 200);
  window.MouseMove();  // a move over the parked window (a screen shows it) keeps the home
  EXPECT_EQ(f.state().windowLeft, 300);
  NextSecondWithPointerAt(0, 0);
  EXPECT_EQ(window.left(), 300);
}

TEST_F(MouseDodgeTest, AParksAndUnparksOnlyThroughTheLayer) {
  Form1& f = StartAt300x100();
  window.KeyDown('A');  // off: no hiding
  EXPECT_FALSE(window.topmost());
  EXPECT_FALSE(f.state().topmost);
  window.MouseMove();
  EXPECT_FALSE(f.state().dodged);
  window.KeyDown('A');  // on again
  EXPECT_TRUE(window.topmost());
  window.MouseMove();
  EXPECT_TRUE(f.state().dodged);
  window.KeyDown('A');  // off while parked: stays parked, the pointer test stops
  NextSecondWithPointerAt(900, 700);
  EXPECT_EQ(window.left(), -1000);
  window.KeyDown('A');  // on: the return resumes
  NextSecondWithPointerAt(900, 700);
  EXPECT_EQ(window.left(), 300);
}

// Where the pointer is known only over the clock's own windows (Xwayland) the place read is the
// last one over the clock: it never parks it, a parked clock comes back at the next second, and
// only a real move over the window hides it. It comes back see-through, and shows its face only
// when no move over it came by the reveal: a pointer resting on it never sees it flash.
TEST_F(MouseDodgeTest, APointerKnownOnlyOverTheClockParksOnlyOnAMoveOverIt) {
  system.SetPointerKnownEverywhere(false);
  system.SetCursor(350, 150);  // in the square from the start, as a new Xwayland has it
  Form1& f = StartAt300x100();
  NextSecondWithPointerAt(350, 150);
  EXPECT_EQ(Dodge(), std::make_pair(false, 300));
  EXPECT_TRUE(window.faceShown());
  window.MouseMove();
  EXPECT_EQ(Dodge(), std::make_pair(true, -1000));
  NextSecondWithPointerAt(350, 150);  // frozen inside: back all the same, unseen
  EXPECT_EQ(Dodge(), std::make_pair(false, 300));
  EXPECT_FALSE(window.faceShown());
  EXPECT_TRUE(window.TimerRunning(Form1::kReveal));
  window.MouseMove();  // the pointer still there: hidden again, never shown
  window.Tick(Form1::kReveal);
  EXPECT_EQ(Dodge(), std::make_pair(true, -1000));
  EXPECT_FALSE(window.faceShown());
  EXPECT_FALSE(window.TimerRunning(Form1::kReveal));
  NextSecondWithPointerAt(350, 150);  // gone meanwhile: no move by the reveal, the face shows
  window.Tick(Form1::kReveal);
  EXPECT_EQ(Dodge(), std::make_pair(false, 300));
  EXPECT_TRUE(window.faceShown());
  EXPECT_FALSE(window.TimerRunning(Form1::kReveal));
  window.MouseMove();
  NextSecondWithPointerAt(350, 150);
  window.MouseMove(0, kShift);  // Shift alone keeps it, and shows it at once
  window.MouseMove(0, kShift);
  EXPECT_FALSE(f.state().dodged);
  EXPECT_TRUE(window.faceShown());
}

// Where the pointer is known everywhere a clock comes back shown, with no reveal to wait for.
TEST_F(MouseDodgeTest, APointerKnownEverywhereBringsTheClockBackShown) {
  StartAt300x100();
  NextSecondWithPointerAt(350, 150);
  NextSecondWithPointerAt(600, 150);
  EXPECT_EQ(Dodge(), std::make_pair(false, 300));
  EXPECT_TRUE(window.faceShown());
  EXPECT_FALSE(window.TimerRunning(Form1::kReveal));
}

// A window manager or compositor that puts the window elsewhere than asked (sway centres new
// windows) moves home with it; a parked place and a drag's way are not home.
using PlacedBySystemTest = MouseDodgeTest;

TEST_F(PlacedBySystemTest, HomeAndTheDodgeSquareFollowThePlaceShownAndSettingsKeepIt) {
  Form1& f = StartAt300x100();
  window.PlacedBySystem(540, 300);
  EXPECT_EQ(Home(), std::make_pair(540, 300));
  NextSecondWithPointerAt(350, 150);  // the square asked for, not the one shown: stays
  EXPECT_FALSE(f.state().dodged);
  NextSecondWithPointerAt(600, 350);  // the square shown
  EXPECT_EQ(Dodge(), std::make_pair(true, -1000));
  window.PlacedBySystem(-1000, 300);  // the parked place, wherever it is reported from
  NextSecondWithPointerAt(900, 700);
  EXPECT_EQ(Place(), std::make_pair(540, 300));
  EXPECT_EQ(SavedOnClose().substr(0, 9), "540,300\r\n");
}

TEST_F(PlacedBySystemTest, ADragsOwnMovesAreNotHomeItsEndIs) {
  programDir.Write("settings.ini", "");
  Form1& f = Start("10,20\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
  window.SetDragDestination(400, 250);
  window.MouseDown(1);
  window.PlacedBySystem(200, 120);  // on the way
  EXPECT_EQ(std::make_pair(f.state().windowLeft, f.state().windowTop), std::make_pair(10, 20));
  window.MouseMove();  // the drag's end, as every backend tells it
  EXPECT_EQ(Home(), std::make_pair(200, 120));
  window.PlacedBySystem(420, 260);  // later, on its own
  EXPECT_EQ(Home(), std::make_pair(420, 260));
}

// The screens changing under a running clock: one no monitor shows any more comes back as at
// start-up, parked or not, and its home and dodge square follow where it really is.
using ScreenChangeTest = MouseDodgeTest;

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

TEST_F(MouseDodgeTest, ARightClickHandsOverToTheEditorOnceAndClosesWithTheSettings) {
  Form1& f = StartAt300x100();
  system.InstallProgram("qvedit.exe", "qvs", 3);
  f.state().windowLeft = 320;
  system.WhileEventsPass([&] { window.MouseDown(2); });  // a second click while it starts
  window.MouseDown(2, kShift);
  EXPECT_EQ(system.started(), std::vector<std::string>{"qvedit.exe"});
  EXPECT_EQ(system.activated(), std::vector<std::string>{"qvs"});
  EXPECT_EQ(system.exitCode(), 0);
  EXPECT_EQ(work.Read("settings.ini"), "320,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST_F(MouseDodgeTest, AMissingEditorIsReportedAndOneWithoutItsWindowYetEndsTheClockNormally) {
  StartAt300x100();
  window.MouseDown(2);
  ASSERT_EQ(system.messages().size(), 1u);
  EXPECT_NE(system.messages()[0].find("qvedit.exe"), std::string::npos);
  EXPECT_FALSE(system.ended());
  EXPECT_EQ(work.Read("settings.ini"), kSaved);
  system.InstallProgram("qvedit.exe", "qvs", 1000000);  // put in place later, and slow
  window.MouseDown(2);
  EXPECT_TRUE(system.activated().empty());
  EXPECT_GE(system.waited(), Form1::kEditorWaitMs);
  EXPECT_EQ(system.exitCode(), 0);
}

TEST_F(MouseDodgeTest, AnEditorThatEndsBeforeItsWindowIsReportedAndTheClockRunsOn) {
  StartAt300x100();
  system.InstallFailingProgram("qvedit.exe", 127, 3);
  window.MouseDown(2);
  ASSERT_EQ(system.messages().size(), 1u);
  EXPECT_EQ(system.messages()[0],
            "The editor \"qvedit.exe\" ended (exit code 127) before its window appeared.\n\n"
            "The clock keeps running.");
  EXPECT_LT(system.waited(), Form1::kEditorWaitMs);  // said as soon as it ended
  EXPECT_FALSE(system.ended());
  EXPECT_TRUE(form->TimerEnabled(Form1::kSecondTick));
  // One that ends with 0 may have handed its work to another process: the clock waits for the
  // window as for a slow editor, then closes normally.
  system.InstallFailingProgram("qvedit.exe", 0, 1);
  window.MouseDown(2);
  EXPECT_EQ(system.messages().size(), 1u);
  EXPECT_GE(system.waited(), Form1::kEditorWaitMs);
  EXPECT_EQ(system.exitCode(), 0);
}

TEST_F(MouseDodgeTest, ProgramsAreNamedAsTheSystemNamesThem) {
  PlayInstalledLinux(programDir.path());
  StartAt300x100();
  window.MouseDown(2);
  ASSERT_EQ(system.messages().size(), 1u);
  EXPECT_NE(system.messages()[0].find("\"qvedit\" could not"), std::string::npos);
  EXPECT_NE(system.messages()[0].find("next to quarvel or"), std::string::npos);
  system.InstallProgram("qvedit", "qvs", 1);
  window.MouseDown(2);
  EXPECT_EQ(system.started(), std::vector<std::string>{"qvedit"});
}

}  // namespace
}  // namespace quarvel
