// What the core decides and a backend only translates: captions, messages, the screens'
// settling, failed window-system calls, the desktop's dpi.
#include <gtest/gtest.h>

#include <string>

#include "clock_fixture.h"
#include "core/clockface/screen_dpi.h"
#include "core/clockwindow/one_clock.h"

namespace quarvel {
namespace {

using CoreDecidesTest = testing::ClockFixture;

TEST_F(CoreDecidesTest, TheWindowAndEveryMessageCarryTheClocksCaptionAndButtonOnTop) {
  Start();
  EXPECT_EQ(window.caption(), "QUARVEL");
  window.MouseDown(2);
  ASSERT_EQ(system.messages().size(), 1u);
  const Message& shown = system.lastMessage();  // top-most: a top-most clock must not cover it
  EXPECT_EQ(std::make_tuple(shown.caption, shown.button, shown.topmost, shown.text),
            std::make_tuple("QUARVEL", "OK", true, system.messages()[0]));
}

// A window of that process with another title (the editor's "qvs") is not the clock.
TEST_F(CoreDecidesTest, ASecondStartFindsTheClockByTheCaptionItGaveItsWindow) {
  ASSERT_TRUE(ClaimSettingsFolder(system, slot));
  Start();
  const auto self = static_cast<uint32_t>(getpid());
  HeadlessSystem second(programDir.path());
  second.ShowClockWindowOf(self, "qvs");
  second.WhileEventsPass([&] {
    if (second.waited() == 300) second.ShowClockWindowOf(self, window.caption());
  });
  EXPECT_FALSE(ClaimSettingsFolder(second, slot));
  EXPECT_EQ(std::make_tuple(second.waited(), second.activatedClocks()),
            std::make_tuple(300, std::vector<uint32_t>{self}));
}

// The window manager's own move of the clock counts as part of the change; each one restarts.
TEST_F(CoreDecidesTest, TheScreensSettleForTwoSecondsAfterEachChange) {
  programDir.Write("settings.ini", "");
  Start("300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_FALSE(window.screenSettling());
  window.ScreenChanged();
  EXPECT_TRUE(window.screenSettling());
  window.RunFor(1500);
  window.ScreenChanged();
  window.RunFor(1999);
  EXPECT_TRUE(window.screenSettling());
  window.RunFor(1);
  EXPECT_EQ(std::make_tuple(window.screenSettling(), window.TimerRunning(Form1::kScreenSettle),
                            form->TimerEnabled(Form1::kScreenSettle),
                            window.TimerRunning(Form1::kSecondTick)),  // the clock runs on
            std::make_tuple(false, false, false, true));
}

// A timer the window system can't make: reported once with the call and code; settings kept.
TEST_F(CoreDecidesTest, AFailedWindowSystemCallIsReportedOnceAndEndsTheClock) {
  programDir.Write("settings.ini", "");
  Start("300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  window.FailTimers();
  window.KeyDown('Z');  // the minute hand's lap needs its timer
  window.KeyDown('X');
  EXPECT_EQ(system.messages(), std::vector<std::string>{"Headless: StartTimer failed (error 8)."});
  EXPECT_EQ(std::make_tuple(system.lastMessage().caption, system.ended(), system.exitCode()),
            std::make_tuple("QUARVEL", true, 1));
  for (TimerId timer : {Form1::kSecondTick, Form1::kSecondLap, Form1::kMinuteLap})
    EXPECT_FALSE(form->TimerEnabled(timer));
  EXPECT_EQ(work.Read("settings.ini"), "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST(ScreenDpi, TheDesktopsDpiCountsOnlyAsANumberWithinReason) {
  EXPECT_FLOAT_EQ(TwipsAtDesktopDpi(std::nullopt).x, 15.0f);  // X programs' 96
  const std::pair<std::string_view, float> settings[] = {
      {"96", 15.0f},   {"144", 10.0f}, {"120 \t", 12.0f},
      {"192.0", 7.5f}, {"24", 60.0f},  {"960", 1.5f},
      {"23.9", 15.0f}, {"961", 15.0f}, {"", 15.0f},
      {"big", 15.0f},  {"96x", 15.0f}, {" -96", 15.0f},
      {"nan", 15.0f},  {"inf", 15.0f}, {std::string_view("144\0 7", 6), 10.0f}};
  for (auto [setting, twips] : settings) {
    const TwipsPerPixel got = TwipsAtDesktopDpi(setting);
    EXPECT_FLOAT_EQ(got.x, twips) << setting;
    EXPECT_FLOAT_EQ(got.y, twips) << setting;
  }
}

}  // namespace
}  // namespace quarvel
