// The clock at a scale: which scale (the run's, a fixed size, the screen's), the face, the dial,
// the pen, the window and the saved place.
#include "core/clockface/face_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "clock_fixture.h"
#include "tests/bmp/bmp_builder.h"

namespace quarvel {
namespace {

TEST(FaceScaleTest, TheScaleComesFromTheSettingElseTheScreen) {
  const std::pair<const char*, float> good[] = {{"1", 1.0f},    {"1.5", 1.5f}, {"2", 2.0f},
                                                {"0.5", 0.5f},  {"4", 4.0f},   {"2.0", 2.0f},
                                                {"1.25", 1.25f}};
  for (auto [text, value] : good) EXPECT_EQ(ParseScale(text), value) << text;
  for (const char* text : {"", "0", "0.4", "4.5", "-2", "+2", " 2", "2 ", "2x", "1e0", "inf", "nan",
                           ".", "1.2.3", "200%"})
    EXPECT_EQ(ParseScale(text), std::nullopt) << text;

  // dpi / 96 to the nearest quarter: 96 and 100 draw as today.
  const std::pair<float, float> screens[] = {{96, 1},  {100, 1}, {120, 1.25f}, {144, 1.5f},
                                             {192, 2}, {288, 3}, {960, 4},     {24, 0.5f}};
  for (auto [dpi, scale] : screens) EXPECT_EQ(ScaleForScreen(1440.0f / dpi), scale) << dpi;

  // This run's setting over the saved size over the screen's (7.5 twips: 2); a wrong setting or
  // size is none; a system that stretches windows itself draws at 1.
  const std::tuple<const char*, int16_t, bool, float, float> choices[] = {
      {"1.5", 0, true, 7.5f, 1.5f}, {"1", 300, true, 7.5f, 1}, {"big", 0, true, 7.5f, 2},
      {"", 0, false, 7.5f, 1},      {"2", 0, false, 15.0f, 2}, {"", 150, true, 7.5f, 1.5f},
      {"", 100, true, 7.5f, 1},     {"", 49, true, 7.5f, 2},   {"", 401, false, 7.5f, 1}};
  for (auto [setting, size, followsDpi, twips, scale] : choices)
    EXPECT_EQ(ChooseScale(setting, size, followsDpi, twips), scale) << setting << " " << size;
}

TEST(FaceScaleTest, LengthsPensAndTheSharpFacesName) {
  // 105 at 0.5: ties to even; a pen at least a pixel; 0 and below left for the canvas to refuse.
  const std::tuple<int, float, int> lengths[] = {
      {200, 1, 200}, {200, 1.5f, 300}, {20, 2, 40}, {105, 0.5f, 52}};
  for (auto [length, scale, scaled] : lengths) EXPECT_EQ(ScaledLength(length, scale), scaled);
  const std::tuple<int16_t, float, int16_t> pens[] = {
      {2, 1, 2}, {2, 2, 4}, {2, 1.5f, 3}, {1, 0.5f, 1}, {3, 0.5f, 2}, {0, 2, 0}, {-3, 2, -3}};
  for (auto [pen, scale, scaled] : pens) EXPECT_EQ(ScaledPenWidth(pen, scale), scaled) << pen;
  const std::pair<const char*, const char*> names[] = {
      {"qv.bmp", "qv@2x.bmp"},
      {"faces\\blue.face.bmp", "faces\\blue.face@2x.bmp"},
      {"face", "face@2x"},
      {"my.skins/face", "my.skins/face@2x"}};
  for (auto [name, sharp] : names) EXPECT_EQ(SharpFaceName(name), sharp);
}

TEST(FaceScaleTest, WholeScalesRepeatPixelsFractionalOnesFilter) {
  const PixelImage picture{2, 2, {0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF}};
  EXPECT_EQ(ResamplePicture(picture, 2, 2).pixels, picture.pixels);
  const PixelImage doubled = ResamplePicture(picture, 4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(doubled.At(x, y), picture.At(x / 2, y / 2)) << x << y;

  const PixelImage plain{4, 1, {0x000000, 0x000000, 0xFFFFFF, 0xFFFFFF}};
  const PixelImage filtered = ResamplePicture(plain, 6, 1);  // 1.5x
  ASSERT_EQ(filtered.pixels.size(), 6u);
  EXPECT_EQ(std::make_tuple(filtered.At(0, 0), filtered.At(5, 0)), std::make_tuple(0u, 0xFFFFFFu));
  // Between black and white a grey, which repeating pixels never gives.
  const Pixel middle = filtered.At(2, 0) != 0 ? filtered.At(2, 0) : filtered.At(3, 0);
  EXPECT_GT(middle & 0xFF, 0x10u);
  EXPECT_LT(middle & 0xFF, 0xF0u);
  EXPECT_EQ(middle >> 24, 0u);
}

class ScaledClockTest : public testing::ClockFixture {
 protected:
  // The face's diameter and pen of a clock started with these settings on a screen of these
  // twips per pixel that draws at its dpi (or stretches windows itself), with this run's scale.
  std::pair<int, int> StartedOn(float twips, bool followsDpi, const char* scale,
                                const std::string& settings) {
    HeadlessSystem screen{programDir.path(), twips, twips};
    screen.SetDrawsAtScreenDpi(followsDpi);
    screen.SetScaleSetting(scale);
    work.Write("settings.ini", settings);
    HeadlessWindow w{&clock};
    Form1 f(w, screen, clock, slot);
    f.Load();
    return {f.state().faceDiameter, f.canvas().DrawWidth()};
  }
};

// Every line of a redraw at these times.
std::vector<DrawnSegment> Lines(HeadlessClock& clock, Form1& form, TimeOfDay time) {
  clock.Set(time);
  form.Command1Click();
  return form.canvas().segments();
}

TEST_F(ScaledClockTest, AtTwoTheWindowFaceHandsAndPenAreTwiceAsLarge) {
  system.SetScaleSetting("2");
  programDir.Write("settings.ini", "");
  Form1& f = Start("300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_EQ(std::make_tuple(f.state().faceDiameter, window.width(), window.height(),
                            window.regionDiameter(), canvas().DrawWidth()),
            std::make_tuple(400, 400, 400, 400, 4));
  EXPECT_EQ(window.Position(), (ScreenPoint{300, 100}));  // in screen pixels at any scale

  HeadlessSystem plainSystem{programDir.path()};
  HeadlessWindow plainWindow{&clock};
  FileSlot plainSlot{work.path()};
  Form1 plain(plainWindow, plainSystem, clock, plainSlot);
  plain.Load();
  ASSERT_EQ(plain.state().faceDiameter, 200);
  const PixelImage& face = plain.canvas().pixels();
  // The face repeated: every pixel of the 1x face is a 2x2 block.
  for (int y = 0; y < 200; y += 7)
    for (int x = 0; x < 200; x += 3)
      ASSERT_EQ(canvas().pixels().At(2 * x + 1, 2 * y + 1), face.At(x, y)) << x << "," << y;

  const TimeOfDay times[] = {{10, 8, 30},  {0, 0, 0},   {3, 15, 45},  {7, 41, 17},
                             {11, 59, 59}, {12, 30, 5}, {18, 22, 52}, {23, 3, 11}};
  for (TimeOfDay time : times) {
    const std::vector<DrawnSegment> small = Lines(clock, plain, time);
    const std::vector<DrawnSegment> large = Lines(clock, f, time);
    ASSERT_EQ(large.size(), small.size());
    for (std::size_t i = 0; i < small.size(); ++i) {
      const DrawnSegment &a = large[i], &b = small[i];  // each end within a pixel of twice
      EXPECT_LE(std::max({std::abs(a.x1 - 2 * b.x1), std::abs(a.y1 - 2 * b.y1),
                          std::abs(a.x2 - 2 * b.x2), std::abs(a.y2 - 2 * b.y2)}),
                1);
      EXPECT_EQ(std::make_tuple(a.width, a.color), std::make_tuple(int16_t(2 * b.width), b.color));
    }
  }

  // The dodge square is the 400-pixel window's: a pointer at (650, 450) is still over it.
  NextSecondWithPointerAt(650, 450);
  EXPECT_TRUE(f.state().dodged);
  NextSecondWithPointerAt(720, 150);
  EXPECT_FALSE(f.state().dodged);
  EXPECT_EQ(window.left(), 300);
  // settings.ini keeps the skin's pen and the place as it was written.
  EXPECT_EQ(SavedOnClose(), "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST_F(ScaledClockTest, TheSharpFaceIsUsedFromTwoUpWhenItIsTwiceTheSize) {
  const auto solid = [](int side, char shade) {
    return bmp::Build({.width = side,
                       .height = side,
                       .pixels = std::string(static_cast<std::size_t>(side) * side * 3, shade)});
  };
  work.Write("qv@2x.bmp", solid(400, '\x10'));
  const auto cornerAt = [&](const char* scale) {
    system.SetScaleSetting(scale);
    Start();
    return canvas().pixels().At(3, 3);
  };
  for (auto [scale, width] : {std::pair{"2", 400}, {"3", 600}}) {  // 3: resampled from the sharp
    EXPECT_EQ(cornerAt(scale), 0x101010u);
    EXPECT_EQ(canvas().pixels().width, width);
  }
  const Pixel plainCorner = cornerAt("1");
  EXPECT_NE(plainCorner, 0x101010u);
  EXPECT_NE(cornerAt("1.5"), 0x101010u);
  work.Write("qv@2x.bmp", solid(300, '\x10'));  // not twice the size: passed over
  EXPECT_EQ(cornerAt("2"), plainCorner);
}

TEST_F(ScaledClockTest, WithoutAPictureThePlainWindowIsScaledOnce) {
  programDir.Write("settings.ini", "");
  const std::string plain = "0,0\r\n 0 \r\nnothere.bmp\r\n 2 \r\n";
  EXPECT_EQ(StartedOn(15.0f, true, "", plain), std::make_pair(105, 2));
  EXPECT_EQ(StartedOn(15.0f, true, "2", plain), std::make_pair(210, 4));
  EXPECT_EQ(StartedOn(7.5f, true, "", plain), std::make_pair(210, 4));  // 192 dpi, as before
  EXPECT_EQ(StartedOn(7.5f, true, "1", plain), std::make_pair(105, 2));
  EXPECT_EQ(StartedOn(14.4f, true, "", plain), std::make_pair(109, 2));  // 100 dpi, as before
  EXPECT_EQ(StartedOn(7.5f, false, "", plain), std::make_pair(210, 2));  // a system that stretches
}

// A size the user fixed (line 5 of settings.ini) wins over the screen's; this run's over both.
TEST_F(ScaledClockTest, TheClockTakesTheSavedSizeOverTheScreensAndKeepsIt) {
  programDir.Write("settings.ini", "");
  const std::string saved = "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n 150 \r\n";
  Form1& f = Start(saved);
  EXPECT_EQ(std::make_tuple(f.state().faceDiameter, window.width(), window.regionDiameter(),
                            canvas().DrawWidth()),
            std::make_tuple(300, 300, 300, 3));
  EXPECT_EQ(window.Position(), (ScreenPoint{300, 100}));
  EXPECT_EQ(SavedOnClose(), saved);
  const std::string fixed = "0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n 100 \r\n";
  EXPECT_EQ(StartedOn(7.5f, true, "", fixed).first, 200);
  EXPECT_EQ(StartedOn(7.5f, true, "", "0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n").first, 400);
  EXPECT_EQ(StartedOn(7.5f, true, "3", fixed).first, 600);
}

TEST_F(ScaledClockTest, OnAMonitorOfAnotherScaleTheClockIsSizedAgainInPlace) {
  HeadlessSystem screen{programDir.path(), 15.0f, 15.0f};
  screen.SetDrawsAtScreenDpi(true);
  programDir.Write("settings.ini", "");
  work.Write("settings.ini", "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  Form1 f(window, screen, clock, slot);
  f.Load();
  window.Tick(Form1::kSecondTick);
  const PixelImage at1x = f.canvas().pixels();
  const auto movedTo = [&](float twips) {
    screen.SetTwipsPerPixel(twips, twips);
    window.ScreenScaleChanged();
    return std::make_tuple(f.state().faceDiameter, window.width(), window.height(),
                           static_cast<int>(f.canvas().DrawWidth()), window.Position());
  };
  EXPECT_EQ(movedTo(7.5f), std::make_tuple(400, 400, 400, 4, ScreenPoint{300, 100}));
  EXPECT_EQ(f.state().scale, 2.0f);
  EXPECT_EQ(window.presented().width, 400);  // the face drawn again at once, at 2x
  EXPECT_EQ(movedTo(10.0f), std::make_tuple(300, 300, 300, 3, ScreenPoint{300, 100}));
  EXPECT_EQ(movedTo(15.0f), std::make_tuple(200, 200, 200, 2, ScreenPoint{300, 100}));
  EXPECT_TRUE(f.canvas().pixels().pixels == at1x.pixels);  // back at 1x, today's face to the pixel
  // A size the user set stays; so does a clock whose system stretches it.
  screen.SetScaleSetting("1");
  EXPECT_EQ(std::get<0>(movedTo(7.5f)), 200);
  screen.SetScaleSetting("");
  screen.SetDrawsAtScreenDpi(false);
  EXPECT_EQ(std::get<0>(movedTo(7.5f)), 200);
  EXPECT_EQ(SavedOnClose(), "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

}  // namespace
}  // namespace quarvel
