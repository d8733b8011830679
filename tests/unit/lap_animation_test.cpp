// The keys and the laps, with the 50 ms timers stepped by hand.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "clock_fixture.h"
#include "core/clockface/dial_geometry.h"

namespace quarvel {
namespace {

using testing::ClockFixture;

class LapTest : public ClockFixture {
 protected:
  // The positions the lapping hand shows, frame by frame, until the lap stops.
  std::vector<int> RunLap(TimerId timer, const std::function<void(int)>& beforeFrame = {}) {
    std::vector<int> shown;
    while (form->TimerEnabled(timer) && shown.size() < 400) {
      if (beforeFrame) beforeFrame(static_cast<int>(shown.size()) + 1);
      window.Tick(timer);
      shown.push_back(form->state().spinCounter);
    }
    return shown;
  }
};

TEST_F(LapTest, ZRunsTheMinuteHandOnceRoundStopsOnTheCurrentMinuteAndHandsBack) {
  clock.Set({10, 15, 30});
  Form1& f = StartAt300x100();
  window.KeyDown('Z');
  EXPECT_FALSE(form->TimerEnabled(Form1::kSecondTick));
  std::vector<int> all;  // 16 ... 59, 0 ... 15: 60 frames
  for (int i = 1; i <= 60; ++i) all.push_back((15 + i) % 60);
  EXPECT_EQ(RunLap(Form1::kMinuteLap), all);
  EXPECT_TRUE(form->TimerEnabled(Form1::kSecondTick));
  EXPECT_EQ(f.state().handPosition, 30);  // the last hand drawn: the second hand from the clock
  const auto lastFrame = canvas().segments();
  window.Tick(Form1::kSecondTick);  // same second: the last frame stays
  EXPECT_EQ(canvas().segments(), lastFrame);
  clock.Set({10, 15, 31});
  window.Tick(Form1::kSecondTick);
  EXPECT_EQ(f.state().lastSecond, 31);
}

// A backend passes on the keys the core does not take (with Alt, Windows' Alt+F4 and menus).
TEST_F(LapTest, TheCoreTakesZXCAAndNoOtherKey) {
  clock.Set({10, 15, 30});
  StartAt300x100();
  for (int16_t key = 0; key < 256; ++key) {  // every key code, F4 and Alt among them
    if (key == 'Z' || key == 'X' || key == 'C' || key == 'A') continue;
    EXPECT_FALSE(window.KeyDown(key, 4)) << key;
  }
  EXPECT_TRUE(form->TimerEnabled(Form1::kSecondTick));  // none of them started a lap
  for (auto [key, shift] : {std::pair{'A', 4}, {'A', 0}, {'X', 4}, {'Z', 0}})
    EXPECT_TRUE(window.KeyDown(key, static_cast<int16_t>(shift))) << key;
  EXPECT_TRUE(form->TimerEnabled(Form1::kMinuteLap));
}

TEST_F(LapTest, XAt58And59BothStartAt0) {
  for (int second : {58, 59}) {
    clock.Set({10, 15, second});
    StartAt300x100();
    window.KeyDown('X');
    EXPECT_EQ(form->state().spinCounter, second + 1);  // no wrap in the key: 60 at second 59
    window.Tick(Form1::kSecondLap);
    EXPECT_EQ(form->state().spinCounter, 0);
    form.reset();
  }
}

TEST_F(LapTest, ASecondLapRunsPastItsStartToWhereTheSecondsHaveGot) {
  clock.Set({10, 15, 20});
  StartAt300x100();
  window.KeyDown('X');
  const std::vector<int> shown = RunLap(Form1::kSecondLap, [&](int frame) {
    if (frame % 20 == 0) clock.Set({10, 15, clock.Now().seconds + 1});  // 20 frames a second
  });
  ASSERT_FALSE(form->TimerEnabled(Form1::kSecondLap));
  // Three seconds on after 60 frames: it stops where they are.
  EXPECT_EQ(std::make_tuple(shown.front(), shown.back(), shown.size()),
            std::make_tuple(22, 23, 62u));
}

TEST_F(LapTest, HoldingXKeepsTheFramesComingAndTheLapRestarting) {
  clock.Set({10, 15, 20, 0});
  StartAt300x100();
  window.KeyDown('X');
  // A held key repeats about every 33 ms, faster than the 50 ms frames.
  int frames = 0;
  for (int repeat = 0; repeat < 30; ++repeat) {
    frames += window.RunFor(33);
    window.KeyDown('X');
    EXPECT_LE(form->state().spinCounter, 21 + 1);  // each repeat starts the lap again
  }
  EXPECT_GE(frames, 19);  // about a second of frames, not one frozen face
}

TEST_F(LapTest, ZDuringASecondLapTakesOverFromTheMinute) {
  clock.Set({10, 15, 30});
  StartAt300x100();
  window.KeyDown('X');
  window.Tick(Form1::kSecondLap);
  window.KeyDown('Z');
  EXPECT_TRUE(form->TimerEnabled(Form1::kSecondLap) && form->TimerEnabled(Form1::kMinuteLap))
      << "both on until the next tick";
  window.Tick(Form1::kMinuteLap);  // the minute lap ticks first and switches the other off
  EXPECT_EQ(std::make_tuple(form->TimerEnabled(Form1::kSecondLap), form->state().spinCounter),
            std::make_tuple(false, 16));
  EXPECT_EQ(RunLap(Form1::kMinuteLap).back(), 15);
}

TEST_F(LapTest, FrameHourHandsUseTheDivisor60) {
  const std::pair<TimeOfDay, int> cases[] = {
      {{13, 30, 1}, 8}, {{1, 18, 1}, 6}, {{11, 54, 1}, 0}, {{23, 59, 1}, 0}, {{10, 45, 1}, 54}};
  for (auto [time, hour] : cases) {
    clock.Set(time);
    Form1& f = StartAt300x100();
    window.KeyDown('Z');
    window.Tick(Form1::kMinuteLap);
    // The hour hand is drawn first: its segment points at that position.
    ClockState dial = f.state();
    SetHand(dial, static_cast<int16_t>(hour), 100);
    ASSERT_FALSE(canvas().segments().empty());
    const DrawnSegment& s = canvas().segments().front();
    EXPECT_EQ((ScreenPoint{s.x2, s.y2}), (ScreenPoint{PolarX(dial, 0, 50), PolarY(dial, 0, 50)}))
        << time.hours << ":" << time.minutes;
    form.reset();
  }
}

TEST_F(LapTest, AFrameReusesTheLastDialAndBeforeAnyRedrawDrawsOnlyAtTheCorner) {
  clock.Set({10, 15, 0});  // second 00: no redraw yet
  Start();
  window.KeyDown('X');
  window.Tick(Form1::kSecondLap);
  for (const DrawnSegment& s : canvas().segments())
    EXPECT_EQ((ScreenPoint{s.x2, s.y2}), ScreenPoint{});
  EXPECT_EQ(form->state().radius, 0);
}

TEST_F(LapTest, CDuringALapSavesTheCurrentValues) {
  Form1& f = Start("300,100\r\n 1 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_FALSE(window.topmost());
  window.KeyDown('Z');
  window.Tick(Form1::kMinuteLap);
  window.KeyDown('A', 4);  // 1 is not top-most too: A enters the layer, and Alt changes nothing
  EXPECT_TRUE(window.topmost());
  f.state().windowLeft = 310;
  window.KeyDown('C', 1 | 2);  // nor Shift and Ctrl
  EXPECT_TRUE(system.ended());
  EXPECT_EQ(work.Read("settings.ini"), "310,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

}  // namespace
}  // namespace quarvel
