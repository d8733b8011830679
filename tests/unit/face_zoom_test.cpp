// The editor's zoom: face pixels to screen pixels and back, fit, and hit tests on the screen.
#include "skineditor/face_zoom.h"

#include <gtest/gtest.h>

#include "skineditor/dial_frame.h"

namespace quarvel {
namespace {

TEST(FaceZoom, EachFacePixelIsAWholeBlockAndComesBackAtEveryZoom) {
  struct Case {
    Zoom zoom;
    int scale;
  };
  // A 200-pixel face in a 700 x 500 view: Fit is 2 (500 / 200), the rest as named.
  for (const Case c :
       {Case{Zoom::kFit, 2}, Case{Zoom::kOne, 1}, Case{Zoom::kTwo, 2}, Case{Zoom::kFour, 4}}) {
    FaceZoom zoom;
    zoom.SetFace(200);
    zoom.SetView(700, 500);
    zoom.SetZoom(c.zoom);
    SCOPED_TRACE(ZoomName(c.zoom));
    const FacePlace rect = zoom.FaceRect();
    EXPECT_EQ(rect.width, 200 * c.scale);
    for (const ScreenPoint face :
         {ScreenPoint{0, 0}, ScreenPoint{100, 100}, ScreenPoint{199, 37}, ScreenPoint{13, 199}}) {
      const ScreenPoint screen = zoom.ToScreen(face);
      EXPECT_EQ(zoom.ToFace(screen), face);
      // Every screen pixel of the face pixel's block leads back to it, and no other does.
      const int left = rect.x + face.x * c.scale, top = rect.y + face.y * c.scale;
      EXPECT_EQ(zoom.ToFace({left, top}), face);
      EXPECT_EQ(zoom.ToFace({left + c.scale - 1, top + c.scale - 1}), face);
      EXPECT_EQ(zoom.ToFace({left - 1, top}).x, face.x - 1);
      EXPECT_EQ(zoom.ToFace({left + c.scale, top}).x, face.x + 1);
    }
  }
}

TEST(FaceZoom, FitIsTheLargestWholeScaleOrShrinksAFaceLargerThanTheView) {
  FaceZoom zoom;
  zoom.SetFace(200);
  zoom.SetView(900, 820);
  EXPECT_EQ(zoom.scaleNumerator(), 4);
  EXPECT_EQ(zoom.FaceRect(), (FacePlace{50, 10, 800, 800}));  // centred
  zoom.SetView(399, 1000);
  EXPECT_EQ(zoom.scaleNumerator(), 1);
  EXPECT_EQ(zoom.FaceRect(), (FacePlace{99, 400, 200, 200}));
  zoom.SetFace(720);
  zoom.SetView(360, 400);
  EXPECT_EQ(zoom.FaceRect(), (FacePlace{0, 20, 360, 360}));
  EXPECT_EQ(zoom.ToFace({0, 20}), (ScreenPoint{0, 0}));
  EXPECT_EQ(zoom.ToFace({359, 379}), (ScreenPoint{718, 718}));
  EXPECT_EQ(zoom.ToScreen({719, 1}), (ScreenPoint{359, 20}));
}

TEST(FaceZoom, AFaceLargerThanTheViewScrollsWithinItselfAndKeepsItsMiddle) {
  FaceZoom zoom;
  zoom.SetFace(200);
  zoom.SetView(300, 300);
  zoom.SetZoom(Zoom::kFour);  // 800 pixels in a 300-pixel view
  zoom.ScrollTo(-50, 9999);
  EXPECT_EQ(zoom.FaceRect(), (FacePlace{0, -500, 800, 800}));
  EXPECT_EQ(zoom.ToFace({0, 0}), (ScreenPoint{0, 125}));
  zoom.CentreOn({100, 100});
  EXPECT_EQ(zoom.MiddleFacePixel(), (ScreenPoint{100, 100}));
  zoom.SetZoom(Zoom::kTwo);
  zoom.CentreOn({100, 100});
  EXPECT_EQ(zoom.MiddleFacePixel(), (ScreenPoint{100, 100}));
  zoom.SetZoom(Zoom::kOne);  // fits again: centred, no scroll
  EXPECT_EQ(zoom.FaceRect(), (FacePlace{50, 50, 200, 200}));
}

TEST(FaceZoom, HandlesAndHitTestsKeepTheirScreenSizeAtEveryZoom) {
  const ClockState dial = DialFor(200, 0);  // centre (100, 100), radius 80, hand at 12
  const std::vector<ShapePoint> points{{0, 0}, {0, 50}, {0, 100}};
  for (const Zoom z : kAllZooms) {
    SCOPED_TRACE(ZoomName(z));
    FaceZoom zoom;
    zoom.SetFace(200);
    zoom.SetView(820, 820);
    zoom.SetZoom(z);
    const auto handles = Handles(zoom, dial, points, 1);
    ASSERT_EQ(handles.size(), 3u);
    EXPECT_TRUE(handles[1].selected);
    const ScreenPoint tip = handles[2].centre;
    EXPECT_EQ(tip, zoom.ToScreen(*PointPixel(dial, {0, 100})));
    // A press kPointReach screen pixels off still grabs the point; one more does not.
    EXPECT_EQ(PointAtScreen(zoom, dial, points, {tip.x + kPointReach, tip.y}), 2);
    EXPECT_EQ(PointAtScreen(zoom, dial, points, {tip.x + kPointReach + 1, tip.y}), -1);
    const ScreenPoint mid = handles[1].centre;
    const int between = (mid.y + tip.y) / 2;
    EXPECT_EQ(SegmentAtScreen(zoom, dial, points, {mid.x + kOutlineReach - 1, between}), 1);
    EXPECT_EQ(SegmentAtScreen(zoom, dial, points, {mid.x + kOutlineReach + 1, between}), -1);
    EXPECT_EQ(PointFromScreen(zoom, dial, tip), (ShapePoint{0, 100}));
  }
}

}  // namespace
}  // namespace quarvel
