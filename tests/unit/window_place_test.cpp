// Where the window goes: parked away from the pointer, back onto the screens left when they
// change, dragged; and the right button's hand-over to the editor.
#include <gtest/gtest.h>

#include "clock_fixture.h"

namespace quarvel {
namespace {

using Seen = std::tuple<bool, int, bool, bool>;  // parked, left edge, face shown, reveal pending
const Seen kParked{true, -1000, true, false}, kHome{false, 300, true, false};

class MouseDodgeTest : public testing::ClockFixture {
 protected:
  // Whether the clock is parked, and its window's left edge.
  std::pair<bool, int> Dodge() const { return {form->state().dodged, window.left()}; }
  Seen Looks() const {
    return {form->state().dodged, window.left(), window.faceShown(),
            window.TimerRunning(Form1::kReveal)};
  }
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
  // A clock that never parks, at (10, 20), its next drag ending at (400, 250).
  Form1& StartNotTopmostWithDragTo400x250() {
    programDir.Write("settings.ini", "");
    Form1& f = Start("10,20\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
    window.SetDragDestination(400, 250);
    return f;
  }
  static constexpr const char* kSaved = "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n";
};

constexpr int16_t kShift = 1, kCtrl = 2;

TEST_F(MouseDodgeTest, AMoveWithoutShiftParksAtOnceAndTheClockComesBackAfterThePointerLeaves) {
  Form1& f = StartAt300x100();
  window.MouseMove();
  EXPECT_EQ(Place(), std::make_pair(-1000, 100));  // the top edge stays
  NextSecondWithPointerAt(350, 150);               // still inside the square: stays parked
  system.FailCursorReads();                        // an unreadable pointer keeps the last one
  clock.Set({10, 8, 45});
  window.Tick(Form1::kSecondTick);
  EXPECT_EQ(f.state().cursorPos.x, 350);
  EXPECT_EQ(Looks(), kParked);
  NextSecondWithPointerAt(600, 150);
  EXPECT_EQ(Looks(), kHome);  // shown at once where the pointer is known everywhere
}

TEST_F(MouseDodgeTest, ShiftAloneSuspendsTheHidingButShiftWithCtrlDoesNot) {
  Form1& f = StartAt300x100();
  window.MouseMove(0, kShift);
  EXPECT_EQ(std::make_tuple(f.state().shiftHeld, f.state().dodged), std::make_tuple(true, false));
  NextSecondWithPointerAt(350, 150);  // the pointer test does nothing while shiftHeld
  EXPECT_EQ(window.left(), 300);
  window.MouseMove(0, kShift | kCtrl);
  EXPECT_EQ(std::make_tuple(f.state().shiftHeld, f.state().dodged), std::make_tuple(false, true));
}

TEST_F(MouseDodgeTest, ThePointerTestUsesTheStrictSquareNotTheRoundFace) {
  StartAt300x100();
  // The square's first column and row are outside, its last ones inside; its corners count.
  const std::tuple<int, int, bool> steps[] = {{300, 150, false}, {350, 100, false},
                                              {500, 150, false}, {302, 102, true},
                                              {500, 300, false}, {499, 299, true}};
  for (auto [x, y, dodged] : steps) {
    NextSecondWithPointerAt(x, y);
    EXPECT_EQ(Dodge(), std::make_pair(dodged, dodged ? -1000 : 300)) << x << "," << y;
  }
}

TEST_F(MouseDodgeTest, NotTopmostNeverParksButStillRecordsAMovedWindow) {
  Form1& f = StartNotTopmostWithDragTo400x250();
  system.InstallProgram("qvedit.exe", "qvs", 1);
  window.MouseDown(1);
  window.MouseDown(4);                  // the middle button does nothing
  EXPECT_EQ(f.state().windowLeft, 10);  // recorded only at the next move
  window.MouseDown(3);                  // left and right: a drag, no hand-over
  EXPECT_EQ(window.drags(), 2);
  EXPECT_TRUE(system.started().empty());
  window.MouseMove();
  EXPECT_EQ(Home(), std::make_pair(400, 250));
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
  window.MouseMove();
  EXPECT_EQ(std::make_tuple(window.topmost(), f.state().topmost, f.state().dodged),
            std::make_tuple(false, false, false));
  window.KeyDown('A');  // on again
  window.MouseMove();
  EXPECT_EQ(std::make_tuple(window.topmost(), f.state().dodged), std::make_tuple(true, true));
  window.KeyDown('A');  // off while parked: stays parked, the pointer test stops
  NextSecondWithPointerAt(900, 700);
  EXPECT_EQ(window.left(), -1000);
  window.KeyDown('A');  // on: the return resumes
  NextSecondWithPointerAt(900, 700);
  EXPECT_EQ(window.left(), 300);
}

// Where the pointer is known only over the clock's own windows (Xwayland) only a move over it
// parks it; it comes back see-through and shows its face when no move came by the reveal.
TEST_F(MouseDodgeTest, APointerKnownOnlyOverTheClockParksOnlyOnAMoveOverIt) {
  system.SetPointerKnownEverywhere(false);
  system.SetCursor(350, 150);  // in the square from the start, as a new Xwayland has it
  Form1& f = StartAt300x100();
  NextSecondWithPointerAt(350, 150);
  EXPECT_EQ(Looks(), kHome);
  window.MouseMove();
  EXPECT_EQ(Dodge(), std::make_pair(true, -1000));
  NextSecondWithPointerAt(350, 150);  // frozen inside: back all the same, unseen
  EXPECT_EQ(Looks(), Seen(false, 300, false, true));
  window.MouseMove();  // the pointer still there: hidden again, never shown
  window.Tick(Form1::kReveal);
  EXPECT_EQ(Looks(), Seen(true, -1000, false, false));
  NextSecondWithPointerAt(350, 150);  // gone meanwhile: no move by the reveal, the face shows
  window.Tick(Form1::kReveal);
  EXPECT_EQ(Looks(), kHome);
  window.MouseMove();
  NextSecondWithPointerAt(350, 150);
  window.MouseMove(0, kShift);  // Shift alone keeps it, and shows it at once
  window.MouseMove(0, kShift);
  EXPECT_EQ(std::make_tuple(f.state().dodged, window.faceShown()), std::make_tuple(false, true));
}

// A window manager that puts the window elsewhere than asked (sway centres new windows) moves
// home with it; a parked place and a drag's way are not home.
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
  StartNotTopmostWithDragTo400x250();
  window.MouseDown(1);
  window.PlacedBySystem(200, 120);  // on the way
  EXPECT_EQ(Home(), std::make_pair(10, 20));
  window.MouseMove();  // the drag's end, as every backend tells it
  EXPECT_EQ(Home(), std::make_pair(200, 120));
  window.PlacedBySystem(420, 260);  // later, on its own
  EXPECT_EQ(Home(), std::make_pair(420, 260));
}

// A clock no monitor shows any more comes back as at start-up, parked or not; its home and
// dodge square follow where it really is.
using ScreenChangeTest = MouseDodgeTest;

TEST_F(ScreenChangeTest, AClockOffTheSmallerScreenComesBackAndIsSavedThere) {
  StartOnLargeScreen(1000, 800);
  ShrinkTo800x600();
  // As near its place as fits in the work area.
  EXPECT_EQ(std::make_tuple(Place(), Home()),
            std::make_tuple(std::pair{600, 370}, std::pair{600, 370}));
  NextSecondWithPointerAt(650, 400);  // the dodge square is the new one
  EXPECT_TRUE(form->state().dodged);
  NextSecondWithPointerAt(100, 100);
  EXPECT_EQ(Place(), std::make_pair(600, 370));
  EXPECT_EQ(SavedOnClose(), "600,370\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST_F(ScreenChangeTest, AParkedClockComesHomeOntoTheSmallerScreen) {
  StartOnLargeScreen(1000, 800);
  window.MouseMove();  // parked at once
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
  EXPECT_EQ(std::make_tuple(Place(), Home()),
            std::make_tuple(std::pair{300, 100}, std::pair{300, 100}));
  // Moved by the window manager so that only a corner of its square shows: it comes back; a
  // shift that leaves some face shown is kept.
  StartOnLargeScreen(700, 500);
  system.SetMonitors({{{0, 0, 800, 600}, {0, 0, 800, 570}}});
  for (auto [movedTo, kept] :
       {std::pair{std::pair{790, 590}, std::pair{600, 370}}, {{680, 450}, {680, 450}}}) {
    window.MoveTo(movedTo.first, movedTo.second);
    window.ScreenChanged();
    EXPECT_EQ(std::make_tuple(Place(), Home()), std::make_tuple(kept, kept));
  }
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
  EXPECT_EQ(std::make_tuple(Place(), Home()),
            std::make_tuple(std::pair{0, 540}, std::pair{0, 540}));
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
  EXPECT_EQ(system.messages(),
            std::vector<std::string>{"The editor \"qvedit.exe\" ended (exit code 127) before its "
                                     "window appeared.\n\nThe clock keeps running."});
  EXPECT_LT(system.waited(), Form1::kEditorWaitMs);  // said as soon as it ended
  EXPECT_FALSE(system.ended());
  EXPECT_TRUE(form->TimerEnabled(Form1::kSecondTick));
  // Ended with 0 it may have handed its work on: waited for as a slow editor, then closed.
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
