// The clock's place on the desktop as an output and margins on the layer shell, and back.
#include <gtest/gtest.h>

#include "backends/wayland/wayland_place.h"

namespace quarvel {
namespace {

constexpr int32_t kFace = 200;

struct PlaceCase {
  const char* what;
  std::vector<ScreenRect> outputs;
  ScreenPoint place;
  LayerPlace expected;
  bool shown;
};

void PrintTo(const PlaceCase& c, std::ostream* out) {
  *out << c.what;
}

// Two outputs side by side (the second lower), and one alone at an offset.
const std::vector<ScreenRect> kPair{{0, 0, 1280, 800}, {1280, 100, 3200, 1180}};
const std::vector<ScreenRect> kOffset{{-1920, -300, 0, 780}};

class PlaceOnOutputs : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceOnOutputs, MapsToAnOutputAndMarginsAndBack) {
  const PlaceCase& c = GetParam();
  const LayerPlace layer = LayerPlaceFor(c.place, kFace, c.outputs);
  EXPECT_EQ(layer, c.expected) << c.what;
  EXPECT_EQ(DesktopPlaceOf(layer, c.outputs), c.place) << c.what;
  EXPECT_EQ(AnyOutputShows(c.place, kFace, c.outputs), c.shown) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceOnOutputs,
    ::testing::Values(
        PlaceCase{"on one output at 0,0", {{0, 0, 1280, 800}}, {300, 200}, {0, 300, 200}, true},
        PlaceCase{"at the output's corner", {{0, 0, 1280, 800}}, {0, 0}, {0, 0, 0}, true},
        PlaceCase{"on the second output", kPair, {1500, 150}, {1, 220, 50}, true},
        PlaceCase{"across the seam, more on the left", kPair, {1180, 300}, {0, 1180, 300}, true},
        PlaceCase{"across the seam, more on the right", kPair, {1200, 300}, {1, -80, 200}, true},
        PlaceCase{"above the lower output only", kPair, {1300, 0}, {1, 20, -100}, true},
        PlaceCase{"on an output at an offset", kOffset, {-1000, -100}, {0, 920, 200}, true},
        PlaceCase{"parked left of every output", kPair, {-1200, 300}, {0, -1200, 300}, false},
        PlaceCase{"right of every output: the nearest", kPair, {4000, 500}, {1, 2720, 400}, false},
        PlaceCase{"a pixel of the square shows",
                  {{0, 0, 1280, 800}},
                  {-199, -199},
                  {0, -199, -199},
                  true},
        PlaceCase{"just off the output", {{0, 0, 1280, 800}}, {-200, 0}, {0, -200, 0}, false}));

TEST(PlaceOnOutputs, ATieGoesToTheFirstOutput) {
  const std::vector<ScreenRect> outputs{{0, 0, 1000, 1000}, {1000, 0, 2000, 1000}};
  EXPECT_EQ(LayerPlaceFor({900, 10}, kFace, outputs), (LayerPlace{0, 900, 10}));
}

}  // namespace
}  // namespace quarvel
