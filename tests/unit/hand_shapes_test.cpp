// The hand file loader.
#include "skin/hand_shapes.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quarvel {
namespace {

using testing::TempFolder;

struct Loaded {
  ColorRef color = 0;
  std::vector<ShapePoint> points;
  std::string report;  // the run-time error's text, empty when the file loaded
};

Loaded Load(const std::string& bytes) {
  TempFolder folder;
  folder.Write("tan.sin", bytes);
  FileSlot slot(folder.path());
  Loaded loaded;
  HandShape shape;
  loaded.report = testing::ReportOf([&] { LoadHandShape(slot, "tan.sin", loaded.color, shape); });
  EXPECT_FALSE(slot.IsOpen()) << "the slot must be free again";
  loaded.points.assign(shape.points.begin(), shape.points.begin() + shape.pointCount);
  return loaded;
}

TEST(HandShapeFile, LayoutsThatReadTheSame) {
  for (const char* text : {"255\r\n0,100\r\n", "255\r\n0,100", "255\r\n0\r\n100\r\n",
                           "255\r\n 0 , 100 \r\n", "255,0,100\r\n"}) {
    const Loaded l = Load(text);
    EXPECT_EQ(l.color, 255) << text;
    EXPECT_EQ(l.points, (std::vector<ShapePoint>{{0, 100}})) << text;
  }
  const Loaded three = Load("-1\r\n0,0,5,90\r\n-32768,32767\r\n");
  EXPECT_EQ(three.color, -1);
  EXPECT_EQ(three.points, (std::vector<ShapePoint>{{0, 0}, {5, 90}, {-32768, 32767}}));
  EXPECT_TRUE(Load("65280\r\n").points.empty());
}

TEST(HandShapeFile, CapacityIsFiftyOnePoints) {
  std::string text = "255\r\n";
  for (int i = 0; i < 51; ++i) text += std::to_string(i) + "," + std::to_string(i + 1) + "\r\n";
  const Loaded full = Load(text);
  ASSERT_EQ(full.points.size(), 51u);
  EXPECT_EQ(full.points[50], (ShapePoint{50, 51}));
  EXPECT_EQ(Load(text + "0,0\r\n").report,
            "Run-time error 9: Subscript out of range (tan.sin, pair 52)");
}

TEST(HandShapeFile, BrokenFilesAreReportedWithTheirLine) {
  // A file must end right after a completed pair; a value the drawing can't narrow to 16 bits is
  // refused at once, not at every redraw.
  const std::pair<const char*, const char*> cases[] = {
      {"", "62: Input past end of file (tan.sin, line 1)"},                       // no colour
      {"255\r\n0,100\r\n5\r\n", "62: Input past end of file (tan.sin, line 3)"},  // odd count
      {"255\r\n0,100\r\n\r\n", "62: Input past end of file (tan.sin, line 3)"},   // empty line
      {"255\r\n0,100\r\n   ", "62: Input past end of file (tan.sin, line 3)"},    // blanks alone
      {"2147483648\r\n", "6: Overflow (tan.sin, line 1)"},
      {"255\r\n0,0\r\n0,x\r\n", "13: Type mismatch (tan.sin, line 3)"},
      {"255\r\n0,0\r\n0,32768\r\n", "6: Overflow (tan.sin, line 3)"},
      {"255\r\n-32769,90\r\n", "6: Overflow (tan.sin, line 2)"},
      {"255\r\n0,0,\r\n900000\r\n", "6: Overflow (tan.sin, line 3)"},
  };
  for (auto [bytes, report] : cases)
    EXPECT_EQ(Load(bytes).report, std::string("Run-time error ") + report) << bytes;
}

TEST(LoadHandShapes, ReadsTheThreeFilesInOrderAndStopsAtTheFirstFailure) {
  TempFolder folder;
  folder.Write("tyou.sin", "1\r\n0,0\r\n0,80\r\n");
  folder.Write("byou.sin", "3\r\n");
  FileSlot slot(folder.path());
  ClockState state;
  state.secondColor = 77;
  EXPECT_EQ(testing::ReportOf([&] { LoadHandShapes(state, slot); }),
            "Run-time error 53: File not found (tan.sin)");
  EXPECT_EQ(state.minuteColor, 1);  // read before the failure
  EXPECT_EQ(state.minuteShape.pointCount, 2);
  EXPECT_EQ(state.secondColor, 77);  // never opened

  folder.Write("tan.sin", "2\r\n0,0\r\n");
  LoadHandShapes(state, slot);
  EXPECT_EQ(state.hourColor, 2);
  EXPECT_EQ(state.secondColor, 3);
  EXPECT_EQ(state.secondShape.pointCount, 0);
}

}  // namespace
}  // namespace quarvel
