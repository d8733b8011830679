// The opacity a window system is told: the options' percent on its scale, rounded to the
// nearest step, opaque at 100.
#include "core/clockwindow/window_opacity.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

TEST(WindowOpacityTest, PercentOnAlphaByteAndOnXsProperty) {
  EXPECT_EQ(OpacityOnScale(100, 255), 255u);
  EXPECT_EQ(OpacityOnScale(60, 255), 153u);
  EXPECT_EQ(OpacityOnScale(20, 255), 51u);
  EXPECT_EQ(OpacityOnScale(33, 255), 84u);  // 84.15
  EXPECT_EQ(OpacityOnScale(35, 255), 89u);  // 89.25
  EXPECT_EQ(OpacityOnScale(100, 0xFFFFFFFFu), 0xFFFFFFFFu);
  EXPECT_EQ(OpacityOnScale(50, 0xFFFFFFFFu), 0x80000000u);  // 2147483647.5 rounds up
}

}  // namespace
}  // namespace quarvel
