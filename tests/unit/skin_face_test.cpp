// The editor's face and dial, its zoom (face pixels to screen pixels and back, fit, hit tests
// on the screen), and the skins the clock would refuse.
#include "core/skineditor/skin_face.h"

#include <gtest/gtest.h>

#include "clock_fixture.h"
#include "core/clockface/dial_geometry.h"
#include "core/skineditor/dial_frame.h"
#include "core/skineditor/face_zoom.h"
#include "core/skineditor/skin_files.h"
#include "core/skineditor/skin_limits.h"

namespace quarvel {
namespace {

using SkinFaceTest = testing::ClockFixture;

// Differential: the clock started on the headless backend against the editor's face.
TEST_F(SkinFaceTest, DrawsTheSamePixelsAsTheClock) {
  Form1& clockForm = StartAt300x100();
  const OpenedSkin opened = OpenSkin(slot);
  ASSERT_TRUE(opened.problems.empty());
  std::string problem;
  SkinFace face;
  face.SetPicture(OpenFacePicture(slot, opened.document.bitmapName, problem));
  EXPECT_EQ(face.Draw(opened.document, {10, 8, 30}), "");
  EXPECT_EQ(face.pixels().pixels, clockForm.canvas().pixels().pixels);
  EXPECT_EQ(face.width(), 200);
}

TEST(SkinFace, PixelsTurnBackIntoThePointsTheClockDrawsThere) {
  const ClockState dial = DialFor(200, 8);  // the minute hand at 10:08
  EXPECT_EQ(std::make_tuple(dial.centerX, dial.centerY, dial.radius),
            std::make_tuple(100, 100, 80));  // the clock's own dial: nothing else pins it
  const std::vector<ShapePoint> kite{{0, 0}, {-8, 25}, {0, 90}, {8, 25}};
  const ScreenPoint tip = *PointPixel(dial, kite[2]);
  EXPECT_EQ(PointPixel(dial, PointFromPixel(dial, tip.x, tip.y)), tip);
  // Any pixel of the dial comes back as a point the clock draws at that very pixel, or next to
  // it where no point lands exactly.
  for (int y = 20; y <= 180; y += 7)
    for (int x = 20; x <= 180; x += 7) {
      const ShapePoint p = PointFromPixel(dial, x, y);
      EXPECT_TRUE(p.angleOffset >= -180 && p.angleOffset <= 179) << p.angleOffset;
      const ScreenPoint back = *PointPixel(dial, p);
      EXPECT_LE(std::abs(back.x - x) + std::abs(back.y - y), 2) << x << "," << y;
    }
}

TEST(SkinFace, TheGuideShowsOnlyOverACopy) {
  SkinDocument skin;
  skin.hand(HandId::kMinute) = {255, {{0, 0}, {0, 90}}};
  skin.penWidth = 1;
  SkinFace face;
  face.Draw(skin, {10, 8, 36});
  const PixelImage plain = face.pixels();
  const PixelImage guided = face.WithGuide(skin, HandId::kMinute, 1);
  EXPECT_EQ(face.pixels().pixels, plain.pixels);
  const ClockState dial = face.DialOf(HandId::kMinute);
  const ScreenPoint tip = *PointPixel(dial, {0, 90});
  EXPECT_EQ(guided.At(tip.x, tip.y), 0xFFD700u) << "the selected point is filled";
  const int r = ScaledRadius(dial, 50);
  EXPECT_NE(guided.At(dial.centerX - r, dial.centerY), plain.At(dial.centerX - r, dial.centerY));
}

// A face this many pixels across in a view of this many screen pixels, at a zoom.
FaceZoom Zoomed(int face, int viewWidth, int viewHeight, Zoom zoomed = Zoom::kFit) {
  FaceZoom zoom;
  zoom.SetFace(face);
  zoom.SetView(viewWidth, viewHeight);
  zoom.SetZoom(zoomed);
  return zoom;
}

TEST(FaceZoom, EachFacePixelIsAWholeBlockAndComesBackAtEveryZoom) {
  // A 200-pixel face in a 700 x 500 view: Fit is 2 (500 / 200), the rest as named.
  for (auto [zoomed, scale] :
       {std::pair{Zoom::kFit, 2}, {Zoom::kOne, 1}, {Zoom::kTwo, 2}, {Zoom::kFour, 4}}) {
    const FaceZoom zoom = Zoomed(200, 700, 500, zoomed);
    SCOPED_TRACE(ZoomName(zoomed));
    const FacePlace rect = zoom.FaceRect();
    EXPECT_EQ(rect.width, 200 * scale);
    for (const ScreenPoint face :
         {ScreenPoint{0, 0}, ScreenPoint{100, 100}, ScreenPoint{199, 37}, ScreenPoint{13, 199}}) {
      const ScreenPoint screen = zoom.ToScreen(face);
      EXPECT_EQ(zoom.ToFace(screen), face);
      // Every screen pixel of the face pixel's block leads back to it, and no other does.
      const int left = rect.x + face.x * scale, top = rect.y + face.y * scale;
      EXPECT_EQ(zoom.ToFace({left, top}), face);
      EXPECT_EQ(zoom.ToFace({left + scale - 1, top + scale - 1}), face);
      EXPECT_EQ(zoom.ToFace({left - 1, top}).x, face.x - 1);
      EXPECT_EQ(zoom.ToFace({left + scale, top}).x, face.x + 1);
    }
  }
}

TEST(FaceZoom, FitIsTheLargestWholeScaleOrShrinksAFaceLargerThanTheView) {
  FaceZoom zoom = Zoomed(200, 900, 820);
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
  FaceZoom zoom = Zoomed(200, 300, 300, Zoom::kFour);  // 800 pixels in a 300-pixel view
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
    const FaceZoom zoom = Zoomed(200, 820, 820, z);
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

std::string FirstLine(const std::optional<std::string>& text) {
  return text ? text->substr(0, text->find('\n')) : "";
}

TEST(SkinLimits, RefusesWhatTheClockWouldStopOn) {
  SkinDocument skin;
  skin.bitmapName = "qv.bmp";
  skin.penWidth = 2;
  skin.hand(HandId::kHour).points = {{0, 0}, {30000, 50}};
  EXPECT_EQ(FindRefusal(skin, 200), std::nullopt);
  // Loads, but the direction overflows 16 bits from mark 12 on.
  skin.hand(HandId::kHour).points[1].angleOffset = 32700;
  EXPECT_EQ(FirstLine(FindRefusal(skin, 200)),
            "Run-time error 6: Overflow (tan.sin, line 3, at mark 12)");
  skin.hand(HandId::kHour).points[1].angleOffset = 32767 - 354 + 1;  // the last mark only
  EXPECT_EQ(FirstLine(FindRefusal(skin, 200)),
            "Run-time error 6: Overflow (tan.sin, line 3, at mark 59)");
  skin.hand(HandId::kHour).points[1] = {0, 32767};  // too far out on a big face only
  EXPECT_EQ(FindRefusal(skin, 200), std::nullopt);
  EXPECT_NE(FindRefusal(skin, 2000), std::nullopt);
  skin.hand(HandId::kHour).points.pop_back();
  skin.penWidth = 0;
  EXPECT_EQ(FirstLine(FindRefusal(skin, 200)),
            "Run-time error 380: Invalid property value (settings.ini, pen width)");
  skin.penWidth = 1;
  for (const char* name : {"a,b.bmp", " qv.bmp", "qv.bmp ", "qv.bmp\t", "", "qv\r\n.bmp"}) {
    skin.bitmapName = name;
    EXPECT_NE(FindRefusal(skin, 200), std::nullopt) << name;
  }
}

}  // namespace
}  // namespace quarvel
