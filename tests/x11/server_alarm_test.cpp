// The server's millisecond the alarm waits for: never one that comes before the due time.
#include <gtest/gtest.h>

#include "backends/x11/x11_server_alarm.h"

namespace quarvel {
namespace {

constexpr int64_t kMs = 1000000;

TEST(ServerAlarm, WaitsForTheMillisecondAfterTheDueOne) {
  EXPECT_EQ(ServerAlarmTargetMs(5 * kMs, 0), 6);
  EXPECT_EQ(ServerAlarmTargetMs(5 * kMs + 999999, 0), 6);
  EXPECT_EQ(ServerAlarmTargetMs(5 * kMs, 1000 * kMs), 1006);
}

TEST(ServerAlarm, TakesAServerBehindTheClock) {
  EXPECT_EQ(ServerAlarmTargetMs(5 * kMs, -3 * kMs), 3);
  EXPECT_EQ(ServerAlarmTargetMs(kMs, -kMs - 1), 0);  // rounds down below zero, not towards it
  EXPECT_EQ(ServerAlarmTargetMs(kMs, -3 * kMs), -1);
}

TEST(ServerAlarm, TheWaitEndsAtOrAfterTheDueTime) {
  for (int64_t due = 0; due < 3 * kMs; due += 12345)
    for (int64_t offset : {-7 * kMs - 1, int64_t{0}, 2 * kMs + 500000})
      EXPECT_GE(ServerAlarmTargetMs(due, offset) * kMs, due + offset);
}

}  // namespace
}  // namespace quarvel
