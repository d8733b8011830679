// The hand file loader: layouts that read the same, the end-of-file rule, the 51-point
// capacity, and which files are touched when one fails.
#include "clockface/hand_shapes.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quarvel {
namespace {

using testing::ErrorOf;
using testing::TempFolder;

std::string Pairs(int count) {
  std::string text = "255\r\n";
  for (int i = 0; i < count; ++i) text += std::to_string(i) + "," + std::to_string(i + 1) + "\r\n";
  return text;
}

struct Loaded {
  ColorRef color = 0;
  HandShape shape;
};

Loaded LoadOne(const std::string& bytes) {
  TempFolder folder;
  folder.Write("tan.sin", bytes);
  FileSlot slot(folder.path());
  Loaded loaded;
  LoadHandShape(slot, "tan.sin", loaded.color, loaded.shape);
  EXPECT_FALSE(slot.IsOpen());
  return loaded;
}

int LoadError(const std::string& bytes) {
  TempFolder folder;
  folder.Write("tan.sin", bytes);
  FileSlot slot(folder.path());
  ColorRef color = 0;
  HandShape shape;
  int error = ErrorOf([&] { LoadHandShape(slot, "tan.sin", color, shape); });
  EXPECT_FALSE(slot.IsOpen()) << "the slot must be free again after a failure";
  return error;
}

TEST(HandShapeFile, LayoutsThatReadTheSame) {
  for (const char* text : {"255\r\n0,100\r\n", "255\r\n0,100", "255\r\n0\r\n100\r\n",
                           "255\r\n 0 , 100 \r\n", "255,0,100\r\n"}) {
    Loaded l = LoadOne(text);
    EXPECT_EQ(l.color, 255) << text;
    ASSERT_EQ(l.shape.pointCount, 1) << text;
    EXPECT_EQ(l.shape.points[0].angleOffset, 0);
    EXPECT_EQ(l.shape.points[0].radiusPercent, 100);
  }
  Loaded two = LoadOne("-1\r\n0,0,5,90\r\n-32768,32767\r\n");
  EXPECT_EQ(two.color, -1);
  ASSERT_EQ(two.shape.pointCount, 3);
  EXPECT_EQ(two.shape.points[1].angleOffset, 5);
  EXPECT_EQ(two.shape.points[1].radiusPercent, 90);
  EXPECT_EQ(two.shape.points[2].angleOffset, -32768);
  EXPECT_EQ(LoadOne("65280\r\n").shape.pointCount, 0);
}

TEST(HandShapeFile, CapacityIsFiftyOnePoints) {
  Loaded full = LoadOne(Pairs(51));
  EXPECT_EQ(full.shape.pointCount, 51);
  EXPECT_EQ(full.shape.points[50].angleOffset, 50);
  EXPECT_EQ(LoadError(Pairs(52)), 9);
}

TEST(HandShapeFile, MalformedFilesRaiseTheirErrors) {
  EXPECT_EQ(LoadError(""), 62);                       // no colour
  EXPECT_EQ(LoadError("255\r\n0,100\r\n5\r\n"), 62);  // odd value count
  EXPECT_EQ(LoadError("255\r\n0,100\r\n\r\n"), 62);   // an empty line after the last value
  EXPECT_EQ(LoadError("255\r\n0,100\r\n   "), 62);    // blanks on a line of their own
  EXPECT_EQ(LoadError("2147483648\r\n"), 6);
  EXPECT_EQ(LoadError("255\r\n0,1.x\r\n"), 13);
}

TEST(HandShapeFile, FailuresNameTheFileAndTheLine) {
  // A value the drawing can't narrow to 16 bits is refused at once, not at every redraw.
  const std::pair<const char*, const char*> cases[] = {
      {"255\r\n0,0\r\n0,x\r\n", "Run-time error 13: Type mismatch (tan.sin, line 3)"},
      {"255\r\n0,0\r\n0,32768\r\n", "Run-time error 6: Overflow (tan.sin, line 3)"},
      {"255\r\n-32769,90\r\n", "Run-time error 6: Overflow (tan.sin, line 2)"},
      {"255\r\n0,0,\r\n900000\r\n", "Run-time error 6: Overflow (tan.sin, line 3)"},
  };
  for (auto [bytes, report] : cases) {
    TempFolder folder;
    folder.Write("tan.sin", bytes);
    FileSlot slot(folder.path());
    ColorRef color = 0;
    HandShape shape;
    try {
      LoadHandShape(slot, "tan.sin", color, shape);
      ADD_FAILURE() << bytes;
    } catch (const RuntimeError& e) {
      EXPECT_STREQ(e.what(), report);
    }
  }
}

TEST(LoadHandShapes, ReadsTheThreeFilesInOrderAndStopsAtTheFirstFailure) {
  TempFolder folder;
  folder.Write("tyou.sin", "1\r\n0,0\r\n0,80\r\n");
  folder.Write("byou.sin", "3\r\n");
  FileSlot slot(folder.path());
  ClockState state;
  state.secondColor = 77;
  try {
    LoadHandShapes(state, slot);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 53);
    EXPECT_EQ(e.file(), "tan.sin");
  }
  EXPECT_EQ(state.minuteColor, 1);  // read before the failure
  EXPECT_EQ(state.minuteShape.pointCount, 2);
  EXPECT_EQ(state.secondColor, 77);  // never opened

  folder.Write("tan.sin", "2\r\n0,0\r\n");
  LoadHandShapes(state, slot);
  EXPECT_EQ(state.hourColor, 2);
  EXPECT_EQ(state.secondColor, 3);
  EXPECT_EQ(state.secondShape.pointCount, 0);
}

TEST(LoadHandShapes, LooksInTheSlotsFolderOnly) {
  TempFolder folder, elsewhere;
  elsewhere.Write("tyou.sin", "1\r\n");
  FileSlot slot(folder.path());
  ClockState state;
  EXPECT_EQ(ErrorOf([&] { LoadHandShapes(state, slot); }), 53);
}

}  // namespace
}  // namespace quarvel
