// The clock window's start-up, and its end, on the in-memory backend.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "clock_fixture.h"
#include "core/clockwindow/file_exists.h"
#include "tests/bmp/bmp_builder.h"

namespace quarvel {
namespace {

using StartupTest = testing::ClockFixture;

// The window's width, height and round region.
std::tuple<int, int, int> Shape(const HeadlessWindow& w) {
  return {w.width(), w.height(), w.regionDiameter()};
}

// The main screen, and a second one to its left.
const std::vector<Monitor> kTwoMonitors{{{0, 0, 1024, 768}, {0, 0, 1024, 740}},
                                        {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}}};

TEST_F(StartupTest, FirstRunShowsTheDialogThenTheDefaultClock) {
  Form1& f = Start();
  EXPECT_EQ(std::make_tuple(system.dialogsShown(), window.shown(), window.topmost()),
            std::make_tuple(1, true, true));
  EXPECT_EQ(std::make_tuple(f.state().faceDiameter, canvas().DrawWidth(), f.state().windowLeft,
                            f.state().windowTop),
            std::make_tuple(200, 2, 0, 0));
  EXPECT_EQ(Shape(window), std::make_tuple(200, 200, 200));
  window.RequestClose();
  EXPECT_EQ(std::make_tuple(system.ended(), system.exitCode()), std::make_tuple(true, 0));
  EXPECT_EQ(work.Read("settings.ini"), "0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST_F(StartupTest, TheFirstRunTestWantsANormalFileInTheProgramFolder) {
  const std::string file = programDir.path() + "/settings.ini";
  EXPECT_EQ(FileExists(system, file), 0);
  std::filesystem::create_directory(file);
  EXPECT_EQ(FileExists(system, file), 0);
  std::filesystem::remove(file);
  programDir.Write("settings.ini", "300,200\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_EQ(FileExists(system, file), -1);
  Form1& f = Start();  // no dialog, and the values come from the working directory
  EXPECT_EQ(std::make_tuple(system.dialogsShown(), f.state().windowLeft, window.topmost()),
            std::make_tuple(0, 0, true));
  const std::pair<uint32_t, int> attributes[] = {
      {file_attribute::kHidden, 0}, {file_attribute::kSystem, 0}, {file_attribute::kReadOnly, -1}};
  for (auto [attribute, exists] : attributes) {
    system.SetAttributes(file, attribute);
    EXPECT_EQ(FileExists(system, file), exists) << attribute;
  }
}

TEST_F(StartupTest, AnInstalledClockTellsAFirstRunByItsFilesFolder) {
  testing::TempFolder files;
  PlayInstalledLinux(files.path());
  programDir.Write("settings.ini", "");  // beside the program: no longer the sign
  Start();
  EXPECT_EQ(system.dialogsShown(), 1);
  files.Write("settings.ini", "");
  form.reset();
  Start();
  EXPECT_EQ(system.dialogsShown(), 1);
}

// Beside "a\b" lies "a/b" with no settings.ini, where a rewritten path would look.
TEST_F(StartupTest, ABackslashInTheFilesFolderIsJustACharacter) {
  testing::TempFolder config;
  const std::string files = config.path() + "/a\\b";
  std::filesystem::create_directories(files);
  std::filesystem::create_directories(config.path() + "/a/b");
  PlayInstalledLinux(files);
  EXPECT_EQ(system.JoinPath(files, "settings.ini"), files + "/settings.ini");
  config.Write("a\\b/settings.ini", "");
  Start();
  EXPECT_EQ(system.dialogsShown(), 0);
  // Windows' own, which a system without a separator of its own keeps.
  EXPECT_EQ(system.PlatformSystem::JoinPath("C:\\a", "qv.bmp"), "C:\\a\\qv.bmp");
}

TEST_F(StartupTest, ALaterRunOpensAtTheSavedPlaceInTheSavedLayer) {
  system.SetMonitors(kTwoMonitors);
  programDir.Write("settings.ini", "");
  Form1& f = Start("-1200,80\r\n 1 \r\nqv.bmp\r\n 3 \r\n");
  EXPECT_EQ(std::make_tuple(system.dialogsShown(), window.left(), window.top(),
                            f.state().windowLeft, f.state().windowTop, canvas().DrawWidth()),
            std::make_tuple(0, -1200, 80, -1200, 80, 3));
  EXPECT_EQ(std::make_tuple(window.topmost(), window.shown()), std::make_tuple(false, true));
  EXPECT_EQ(SavedOnClose(), "-1200,80\r\n 1 \r\nqv.bmp\r\n 3 \r\n");
}

TEST_F(StartupTest, APlaceOffEveryScreenOrRefusedOpensOnTheNearestOneAsNearAsFits) {
  const std::pair<ScreenPoint, ScreenPoint> cases[] = {
      {{-5000, 100}, {0, 100}},      // far left: to the left edge, same height
      {{3000, 3000}, {824, 540}},    // far below right: into the corner above the task bar
      {{-150, -150}, {-150, -150}},  // a quarter of the face shows: stays
      {{-180, -180}, {0, 0}},        // only the square's corner, not the round face, would show
      {{900, 100}, {900, 100}},      // partly off the right edge: stays
  };
  for (auto [saved, opened] : cases) {
    Form1& f = Start(std::to_string(saved.x) + "," + std::to_string(saved.y) +
                     "\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
    EXPECT_EQ((ScreenPoint{window.left(), window.top()}), opened) << saved.x << "," << saved.y;
    EXPECT_EQ(f.state().windowLeft, opened.x);  // and that is where it is saved from now on
  }
  // A place the window manager refuses is read back as the window really is.
  system.SetMonitors(kTwoMonitors);
  window.MoveTo(0, 0);
  window.RefusePlacesLeftOf(-1000);
  const ClockState& refused = Start("-1200,10\r\n 0 \r\nqv.bmp\r\n 2 \r\n").state();
  EXPECT_EQ(std::make_tuple(refused.windowLeft, refused.windowTop), std::make_tuple(0, 0));
}

TEST_F(StartupTest, TheWindowIsASquareAsWideAsTheBitmapOrThePlainDesignedOne) {
  const bmp::Bitmap tall{.width = 120, .height = 160, .pixels = std::string(360 * 160, '\x40')};
  work.Write("tall.bmp", bmp::Build(tall));
  for (auto [face, side] : {std::pair{"tall.bmp", 120}, {"none.bmp", 105}}) {
    EXPECT_EQ(Start("0,0\r\n 0 \r\n" + std::string(face) + "\r\n 2 \r\n").state().faceDiameter,
              side);
    EXPECT_EQ(Shape(window), std::make_tuple(side, side, side));
  }
  EXPECT_EQ(canvas().PixelAt(52, 90), 0x804000);  // the window's own dark blue
  clock.Set({10, 8, 31});
  window.Tick(Form1::kSecondTick);
  EXPECT_EQ(canvas().segments().size(), 3u);  // and the hands
}

TEST_F(StartupTest, ANegativePenIsRefusedAndTheDesignedPenStays) {
  Form1& f = Start("0,0\r\n 0 \r\nqv.bmp\r\n-4 \r\n");
  EXPECT_EQ(std::make_tuple(f.state().lineWidth, canvas().DrawWidth()), std::make_tuple(-4, 1));
  EXPECT_EQ(SavedOnClose(), "0,0\r\n 0 \r\nqv.bmp\r\n-4 \r\n");  // kept as read
}

TEST_F(StartupTest, Timer1TicksHarmlesslyWhileTheDialogIsOpen) {
  int ticks = 0;
  system.WhileDialogOpen([&] {
    clock.Set({10, 8, 31});
    ticks += window.Tick(Form1::kSecondTick) ? 1 : 0;
    EXPECT_FALSE(window.shown());
  });
  Form1& f = Start();
  EXPECT_EQ(std::make_tuple(ticks, f.state().lastSecond), std::make_tuple(1, 31));  // not sized yet
  clock.Set({10, 8, 32});
  window.Tick(Form1::kSecondTick);
  EXPECT_EQ(f.state().centerX, 100);  // the next change of second uses the final size
}

// Each failure as reported, and with a close while its report is up: code 1, nothing written.
class FailureTest : public StartupTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    if (GetParam())
      system.WhileMessageUp([&] {
        window.RequestClose();
        EXPECT_TRUE(system.ended());
        EXPECT_EQ(system.exitCode(), 1);
      });
  }
};
INSTANTIATE_TEST_SUITE_P(, FailureTest, ::testing::Bool(), [](const auto& closed) {
  return closed.param ? "ClosedDuringTheReport" : "ReportDismissed";
});

TEST_P(FailureTest, AMissingHandFileEndsStartUpBeforeTheDialogAndSaysWhyTheFolderIsIncomplete) {
  std::filesystem::remove(work.path() + "/byou.sin");
  work.Write("settings.ini", "1,2\r\n");
  form = std::make_unique<Form1>(window, system, clock, slot);
  form->UseWorkFolder({}, "the default skin could not be copied into /c/quarvel: Disk full");
  EXPECT_EQ(std::make_tuple(form->Load(), system.dialogsShown(), window.shown()),
            std::make_tuple(false, 0, false));
  EXPECT_EQ(system.messages(),
            std::vector<std::string>{
                "Run-time error 53: File not found (byou.sin)\n\nThe clock's folder could not be "
                "set up: the default skin could not be copied into /c/quarvel: Disk full.\n\nThe "
                "clock reads its hand files from the folder " +
                work.path() + ".\n\nThe clock has stopped. settings.ini was not changed."});
  EXPECT_EQ(std::make_tuple(system.exitCode(), form->TimerEnabled(Form1::kSecondTick),
                            window.TimerRunning(Form1::kSecondTick)),
            std::make_tuple(1, false, false));
  EXPECT_EQ(work.Read("settings.ini"), "1,2\r\n");
}

// Started from another folder (a shortcut that names none): the report names where it looked.
TEST_P(FailureTest, AMissingHandFileIsReportedWithTheFolderTheClockLookedIn) {
  std::filesystem::remove(work.path() + "/tyou.sin");
  form = std::make_unique<Form1>(window, system, clock, slot);
  EXPECT_FALSE(form->Load());
  EXPECT_EQ(system.messages(),
            std::vector<std::string>{"Run-time error 53: File not found (tyou.sin)\n\nThe clock "
                                     "reads its hand files from the folder " +
                                     work.path() +
                                     ".\n\nThe clock has stopped. settings.ini was not changed."});
  // The working directory when no folder is given, as the programs run.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(work.path());
  EXPECT_EQ(FileSlot().FolderShown(), work.path());
  std::filesystem::current_path(before);
  EXPECT_EQ(FileSlot(work.path() + "/./").FolderShown(), work.path());
}

TEST_P(FailureTest, AFailedSaveSaysSoKeepsTheOldFileAndEndsWithAFailure) {
  const std::string path = work.Write("settings.ini", "5,5\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  Start();
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  window.RequestClose();
  ASSERT_EQ(system.messages().size(), 1u);
  EXPECT_NE(system.messages()[0].find("settings.ini"), std::string::npos);
  EXPECT_NE(system.messages()[0].find("Path/File access error"), std::string::npos);
  EXPECT_EQ(system.exitCode(), 1);
  EXPECT_EQ(work.Read("settings.ini"), "5,5\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_P(FailureTest, ARunTimeErrorInAHandlerIsReportedOnceAndTheClockEndsUnsaved) {
  // 32767 degrees load, but added to the second hand's 180 they pass 16 bits at the redraw.
  work.Write("byou.sin", "255\r\n0,0\r\n32767,50\r\n");
  const std::string settings = "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n";
  Start(settings);
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

// The session's end or a signal while a window of the clock's is up: closed from its loop.
TEST_F(StartupTest, AnEndWhileTheFirstRunDialogIsUpKeepsTheUsersFileAndEndsNormally) {
  const std::string users = "250,120\r\n-1\r\nnothere.bmp\r\n3\r\n";
  system.WhileDialogOpen([&] {
    window.RequestClose();
    EXPECT_TRUE(system.ended());
    window.RequestClose();  // the X session's end after a signal
  });
  Start(users);
  EXPECT_EQ(std::make_tuple(system.dialogsShown(), system.exitCode()), std::make_tuple(1, 0));
  EXPECT_EQ(work.Read("settings.ini"), users);
  EXPECT_FALSE(std::filesystem::exists(work.path() + "/settings.ini.new"));
}

}  // namespace
}  // namespace quarvel
