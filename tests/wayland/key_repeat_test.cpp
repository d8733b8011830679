// A held key repeats after the compositor's delay at its rate, only while held, and asks the
// loop for no wake-up otherwise.
#include "backends/wayland/wayland_key_repeat.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

constexpr uint32_t kZ = 44, kX = 45;  // evdev codes

TEST(KeyRepeatTest, AHeldKeyRepeatsAfterTheDelayAtTheRateUntilItGoesUp) {
  KeyRepeat repeat;
  repeat.SetRate(25, 600);
  EXPECT_EQ(repeat.NextDueMs(), TimerTable::kNever) << "nothing held: no wake-up";
  repeat.Press(kZ, 1000);
  EXPECT_EQ(repeat.NextDueMs(), 1600);
  EXPECT_EQ(repeat.TakeDue(1599), std::nullopt);
  EXPECT_EQ(repeat.TakeDue(1600), kZ);
  EXPECT_EQ(repeat.TakeDue(1600), std::nullopt) << "once per due time";
  EXPECT_EQ(repeat.NextDueMs(), 1640);
  EXPECT_EQ(repeat.TakeDue(1640), kZ);
  // A loop that woke late repeats once, then keeps the rate from then.
  EXPECT_EQ(repeat.TakeDue(5000), kZ);
  EXPECT_EQ(repeat.TakeDue(5001), std::nullopt);
  EXPECT_EQ(repeat.NextDueMs(), 5040);
  repeat.Release(kZ);
  EXPECT_EQ(repeat.NextDueMs(), TimerTable::kNever);
  EXPECT_EQ(repeat.TakeDue(9000), std::nullopt);
}

TEST(KeyRepeatTest, OnlyTheKeyPressedLastRepeatsAndNoneWhereTheCompositorSaysSo) {
  KeyRepeat repeat;
  repeat.SetRate(10, 200);
  repeat.Press(kZ, 0);
  repeat.Press(kX, 100);
  repeat.Release(kZ);  // the earlier key going up leaves the later one repeating
  EXPECT_EQ(repeat.TakeDue(300), kX);
  EXPECT_EQ(repeat.NextDueMs(), 400);
  repeat.Stop();  // the keyboard went to another surface
  EXPECT_EQ(repeat.NextDueMs(), TimerTable::kNever);
  repeat.Press(kX, 1000);
  repeat.SetRate(0, 200);  // repeats off: the held key stops too
  EXPECT_EQ(repeat.NextDueMs(), TimerTable::kNever);
  repeat.Press(kX, 2000);
  EXPECT_EQ(repeat.NextDueMs(), TimerTable::kNever);
}

}  // namespace
}  // namespace quarvel
