// The clock window's core on the in-memory backend: start-up and the second tick driven by
// timer ticks stepped by hand.
#include "clockwindow/form1.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless/headless_window.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::FixedClock;
using testing::TempFolder;

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("tyou.sin", "255\r\n0,0\r\n0,80\r\n");
    folder.Write("tan.sin", "65280\r\n0,0\r\n0,50\r\n");
    folder.Write("byou.sin", "16711680\r\n0,0\r\n0,90\r\n");
  }
  void UseDefaultFace() {
    std::filesystem::copy_file(std::string(QUARVEL_DATA_DIR) + "/qv.bmp", folder.path() + "/qv.bmp");
  }

  TempFolder folder;
  FixedClock clock{{10, 8, 30}};
  HeadlessWindow window;
  FileSlot slot{folder.path()};
};

TEST_F(Form1Test, StartsWithTimer1OnlyAndDrawsAtTheFirstChangeOfSecond) {
  Form1 form(window, clock, slot);
  form.Load();
  EXPECT_TRUE(window.shown());
  EXPECT_TRUE(window.TimerEnabled(TimerId::kTimer1));
  EXPECT_FALSE(window.TimerEnabled(TimerId::kTimer2));
  EXPECT_FALSE(window.TimerEnabled(TimerId::kTimer3));
  EXPECT_EQ(window.TimerInterval(TimerId::kTimer1), 10);
  EXPECT_EQ(window.TimerInterval(TimerId::kTimer2), 50);
  EXPECT_EQ(window.TimerInterval(TimerId::kTimer3), 50);

  window.Tick(TimerId::kTimer1);
  EXPECT_EQ(window.surface().segments().size(), 3u);
  EXPECT_EQ(form.state().lastSecond, 30);
  window.Tick(TimerId::kTimer1);
  EXPECT_EQ(window.surface().segments().size(), 3u);  // same second: nothing redrawn
}

TEST_F(Form1Test, TheWindowIsASquareAsWideAsTheBitmap) {
  UseDefaultFace();
  Form1 form(window, clock, slot);
  form.Load();
  EXPECT_EQ(form.state().faceDiameter, 200);
  EXPECT_EQ(window.ScaleWidth(), 200.0f);
  EXPECT_EQ(window.ScaleHeight(), 200.0f);
  EXPECT_EQ(window.surface().PixelAt(100, 100), 0x804000);  // the dial's dark blue
}

TEST_F(Form1Test, AMissingHandFileStopsStartUpBeforeTheWindowShows) {
  std::filesystem::remove(folder.path() + "/byou.sin");
  Form1 form(window, clock, slot);
  EXPECT_EQ(testing::ErrorOf([&] { form.Load(); }), 53);
  EXPECT_FALSE(window.shown());
}

}  // namespace
}  // namespace quarvel
