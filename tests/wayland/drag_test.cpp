// A drag of the layer surface: it goes where it was at the press plus the pointer's motion since,
// whatever the compositor says of the pointer's place over the moving surface.
#include <gtest/gtest.h>

#include "backends/wayland/wayland_drag.h"

namespace quarvel {
namespace {

TEST(WaylandDrag, FollowsTheHandFromThePressInEveryDirection) {
  WaylandDrag drag;
  drag.Moved(50, 50);  // no press: not a drag
  EXPECT_FALSE(drag.active());
  drag.Begin({300, 200});
  EXPECT_TRUE(drag.active());
  EXPECT_FALSE(drag.MovedAway());  // a press alone (a click) moves nothing
  for (int step = 0; step < 30; ++step) drag.Moved(4, -2);
  EXPECT_EQ(drag.Place(), (ScreenPoint{420, 140}));
  drag.Moved(-500, 300);  // onto another output, left of the first
  EXPECT_EQ(drag.Place(), (ScreenPoint{-80, 440}));
  drag.Moved(380, -240);  // back where it was: not moved away
  EXPECT_FALSE(drag.MovedAway());
  drag.End();
  drag.Moved(10, 10);  // after the release: the pointer goes alone
  EXPECT_EQ(drag.Place(), (ScreenPoint{300, 200}));
}

TEST(WaylandDrag, FractionsOfAPixelAddUpWithoutDrift) {
  WaylandDrag drag;
  drag.Begin({10, 10});
  for (int step = 0; step < 9; ++step) drag.Moved(0.375, -0.625);  // an accelerated slow hand
  EXPECT_EQ(drag.Place(), (ScreenPoint{13, 4}));                   // 3.375, -5.625
  drag.Begin({0, 0});  // a new press forgets the old motion
  EXPECT_EQ(drag.Place(), (ScreenPoint{0, 0}));
}

}  // namespace
}  // namespace quarvel
