// The editor's face and dial, and the skins the clock would refuse.
#include "skineditor/skin_face.h"

#include <gtest/gtest.h>

#include "clock_fixture.h"
#include "clockface/dial_geometry.h"
#include "skineditor/skin_files.h"
#include "skineditor/skin_limits.h"

namespace quarvel {
namespace {

class SkinFaceTest : public testing::ClockFixture {};

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
