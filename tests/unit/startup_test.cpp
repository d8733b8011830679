// The clock window's start-up and end on the in-memory backend: the first-run test, the
// statement-by-statement sequence, the window's size, shape, layer and place, and the settings
// written at unload.
#include <gtest/gtest.h>

#include <filesystem>

#include "clock_fixture.h"
#include "clockwindow/file_exists.h"
#include "clockwindow/form1.h"
#include "clockwindow/topmost.h"
#include "platform/headless/headless_system.h"
#include "platform/headless/headless_window.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::TempFolder;

using StartupTest = testing::ClockFixture;

TEST_F(StartupTest, FirstRunShowsTheDialogThenTheDefaultClock) {
  UseDefaultFace();
  Form1& f = Start();
  EXPECT_EQ(system.dialogsShown(), 1);
  EXPECT_TRUE(window.shown());
  EXPECT_TRUE(window.topmost());
  EXPECT_EQ(f.state().faceDiameter, 200);
  EXPECT_EQ(window.width(), 200);
  EXPECT_EQ(window.height(), 200);
  EXPECT_EQ(window.regionDiameter(), 200);
  EXPECT_EQ(canvas().DrawWidth(), 2);
  EXPECT_EQ(f.state().windowLeft, 0);
  EXPECT_EQ(f.state().windowTop, 0);

  window.RequestClose();
  EXPECT_TRUE(system.ended());
  EXPECT_EQ(system.exitCode(), 0);
  EXPECT_EQ(work.Read("settings.ini"), "0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST_F(StartupTest, TheFirstRunTestWantsANormalFileInTheProgramFolder) {
  auto dialogWith = [&](auto prepare) {
    TempFolder folder;
    HeadlessSystem sys(folder.path());
    prepare(sys, folder);
    return FileExists(sys, folder.path() + "\\settings.ini") == 0;
  };
  EXPECT_TRUE(dialogWith([](HeadlessSystem&, TempFolder&) {}));
  EXPECT_FALSE(dialogWith([](HeadlessSystem&, TempFolder& f) { f.Write("settings.ini", ""); }));
  EXPECT_TRUE(dialogWith([](HeadlessSystem&, TempFolder& f) {
    std::filesystem::create_directory(f.path() + "/settings.ini");
  }));
  for (uint32_t attribute : {file_attribute::kHidden, file_attribute::kSystem})
    EXPECT_TRUE(dialogWith([&](HeadlessSystem& s, TempFolder& f) {
      s.SetAttributes(f.path() + "/settings.ini", attribute);
    }));
  EXPECT_FALSE(dialogWith([&](HeadlessSystem& s, TempFolder& f) {
    s.SetAttributes(f.path() + "/settings.ini", file_attribute::kReadOnly);
  }));
}

TEST_F(StartupTest, SettingsInTheProgramFolderOnlyMeanNoDialogButDefaults) {
  programDir.Write("settings.ini", "300,200\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
  Form1& f = Start();
  EXPECT_EQ(system.dialogsShown(), 0);
  EXPECT_EQ(f.state().windowLeft, 0);  // the values come from the working directory
  EXPECT_TRUE(window.topmost());
}

TEST_F(StartupTest, AnInstalledClockTellsAFirstRunByItsFilesFolder) {
  TempFolder files;
  system.PlayInstalledLinux(files.path());
  programDir.Write("settings.ini", "");  // beside the program: no longer the sign
  Start();
  EXPECT_EQ(system.dialogsShown(), 1);
  files.Write("settings.ini", "");
  form.reset();
  Start();
  EXPECT_EQ(system.dialogsShown(), 1);
}

TEST_F(StartupTest, ALaterRunOpensAtTheSavedPlaceInTheSavedLayer) {
  UseDefaultFace();
  programDir.Write("settings.ini", "");
  work.Write("settings.ini", "-1200,80\r\n 1 \r\nqv.bmp\r\n 3 \r\n");
  Form1& f = Start();
  EXPECT_EQ(system.dialogsShown(), 0);
  EXPECT_EQ(window.left(), -1200);
  EXPECT_EQ(window.top(), 80);
  EXPECT_EQ(f.state().windowLeft, -1200);
  EXPECT_EQ(f.state().windowTop, 80);
  EXPECT_FALSE(window.topmost());
  EXPECT_TRUE(window.shown());  // shown at the end of start-up all the same
  EXPECT_EQ(canvas().DrawWidth(), 3);
  window.RequestClose();
  EXPECT_EQ(work.Read("settings.ini"), "-1200,80\r\n 1 \r\nqv.bmp\r\n 3 \r\n");
}

TEST_F(StartupTest, ARefusedPlaceIsReadBackAsItReallyIs) {
  work.Write("settings.ini", "-5000,10\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  window.RefusePlacesLeftOf(-4000);
  Form1& f = Start();
  EXPECT_EQ(f.state().windowLeft, 0);
  EXPECT_EQ(f.state().windowTop, 0);
}

TEST_F(StartupTest, AMissingBitmapGivesThePlainDesignedWindowWithTheHands) {
  work.Write("settings.ini", "0,0\r\n 0 \r\nnone.bmp\r\n 2 \r\n");
  Form1& f = Start();
  EXPECT_EQ(f.state().faceDiameter, 105);
  EXPECT_EQ(window.width(), 105);
  EXPECT_EQ(window.height(), 105);
  EXPECT_EQ(window.regionDiameter(), 105);
  EXPECT_EQ(canvas().PixelAt(52, 90), 0x804000);  // the window's own dark blue
  clock.Set({10, 8, 31});
  window.Tick(Form1::kSecondTick);
  EXPECT_EQ(canvas().segments().size(), 3u);
}

TEST_F(StartupTest, ATallerBitmapStillGivesASquareOfItsWidth) {
  // 120 x 160 pixels, 24-bit, written by hand so the test needs no picture library.
  std::string bmp = "BM";
  const int w = 120, h = 160, row = w * 3, size = 54 + row * h;
  auto put32 = [&](int v) {
    for (int i = 0; i < 4; ++i) bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  auto put16 = [&](int v) {
    bmp += static_cast<char>(v & 0xFF);
    bmp += static_cast<char>((v >> 8) & 0xFF);
  };
  put32(size), put32(0), put32(54), put32(40), put32(w), put32(h), put16(1), put16(24);
  put32(0), put32(row * h), put32(2835), put32(2835), put32(0), put32(0);
  bmp += std::string(static_cast<std::size_t>(row * h), '\x40');
  work.Write("tall.bmp", bmp);
  work.Write("settings.ini", "0,0\r\n 0 \r\ntall.bmp\r\n 2 \r\n");
  Form1& f = Start();
  EXPECT_EQ(f.state().faceDiameter, 120);
  EXPECT_EQ(window.width(), 120);
  EXPECT_EQ(window.height(), 120);
}

TEST_F(StartupTest, ANegativePenIsRefusedAndTheDesignedPenStays) {
  work.Write("settings.ini", "0,0\r\n 0 \r\nqv.bmp\r\n-4 \r\n");
  Form1& f = Start();
  EXPECT_EQ(f.state().lineWidth, -4);
  EXPECT_EQ(canvas().DrawWidth(), 1);
  window.RequestClose();
  EXPECT_EQ(work.Read("settings.ini"), "0,0\r\n 0 \r\nqv.bmp\r\n-4 \r\n");  // kept as read
}

TEST_F(StartupTest, Timer1TicksHarmlesslyWhileTheDialogIsOpen) {
  int ticks = 0;
  system.WhileDialogOpen([&] {
    clock.Set({10, 8, 31});
    ticks += window.Tick(Form1::kSecondTick) ? 1 : 0;
    EXPECT_FALSE(window.shown());
  });
  UseDefaultFace();
  Form1& f = Start();
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(f.state().lastSecond, 31);  // drawn on the designed, not yet sized window
  clock.Set({10, 8, 32});
  window.Tick(Form1::kSecondTick);
  EXPECT_EQ(f.state().centerX, 100);  // the next change of second uses the final size
}

TEST_F(StartupTest, AMissingHandFileEndsStartUpBeforeTheDialog) {
  std::filesystem::remove(work.path() + "/byou.sin");
  form = std::make_unique<Form1>(window, system, clock, slot);
  EXPECT_FALSE(form->Load());
  EXPECT_EQ(system.dialogsShown(), 0);
  EXPECT_FALSE(window.shown());
  ASSERT_EQ(system.messages().size(), 1u);
  EXPECT_EQ(system.messages()[0].substr(0, system.messages()[0].find('\n')),
            "Run-time error 53: File not found (byou.sin)");
  EXPECT_EQ(system.exitCode(), 1);
  EXPECT_FALSE(form->TimerEnabled(Form1::kSecondTick));
  EXPECT_FALSE(window.TimerRunning(Form1::kSecondTick));
}

TEST_F(StartupTest, AFailedSaveSaysSoKeepsTheOldFileAndEndsWithAFailure) {
  const std::string path = work.Write("settings.ini", "5,5\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  Start();
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  window.RequestClose();
  ASSERT_EQ(system.messages().size(), 1u);
  EXPECT_NE(system.messages()[0].find("settings.ini"), std::string::npos);
  EXPECT_NE(system.messages()[0].find("Path/File access error"), std::string::npos);
  EXPECT_EQ(system.exitCode(), 1);
  EXPECT_EQ(work.Read("settings.ini"), "5,5\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST_F(StartupTest, ARunTimeErrorInAHandlerIsReportedOnceAndTheClockEndsUnsaved) {
  // 32767 degrees load, but added to the second hand's 180 they pass 16 bits at the redraw.
  work.Write("byou.sin", "255\r\n0,0\r\n32767,50\r\n");
  const std::string settings = "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n";
  work.Write("settings.ini", settings);
  Start();
  window.KeyDown('Z');  // a lap on: the error must stop it too
  window.Tick(Form1::kMinuteLap);
  ASSERT_EQ(system.messages().size(), 1u);
  EXPECT_EQ(system.messages()[0].substr(0, 26), "Run-time error 6: Overflow");
  EXPECT_EQ(system.exitCode(), 1);
  for (TimerId t : {Form1::kSecondTick, Form1::kSecondLap, Form1::kMinuteLap})
    EXPECT_FALSE(window.TimerRunning(t));
  // Whatever arrives while the report is up does nothing: no second report, no save.
  window.KeyDown('X');
  window.MouseMove();
  window.RequestClose();
  EXPECT_EQ(window.RunFor(5000), 0);
  EXPECT_EQ(system.messages().size(), 1u);
  EXPECT_EQ(work.Read("settings.ini"), settings);
}

TEST(SetTopmost, OneEntersZeroLeavesAnythingElseDoesNothing) {
  HeadlessWindow window;
  SetTopmost(window, 1);
  EXPECT_TRUE(window.topmost());
  SetTopmost(window, -1);
  EXPECT_TRUE(window.topmost());
  SetTopmost(window, 0);
  EXPECT_FALSE(window.topmost());
  SetTopmost(window, 2);
  EXPECT_FALSE(window.topmost());
}

}  // namespace
}  // namespace quarvel
