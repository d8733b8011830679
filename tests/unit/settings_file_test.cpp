// settings.ini both ways (a fixed size only adds a fifth line), and the hand files' loader.
#include "core/skin/settings_file.h"

#include <gtest/gtest.h>

#include "core/skin/hand_shapes.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::TempFolder;

// What the clock takes from a settings file, as "left,top notTopmost bitmap width[ size]".
std::string Read(const std::string& bytes) {
  TempFolder folder;
  folder.Write("settings.ini", bytes);
  FileSlot slot(folder.path());
  ClockState s;
  const SavedPosition saved = ReadSettingsValues(slot, s);
  EXPECT_FALSE(slot.IsOpen());
  return std::to_string(saved.left) + "," + std::to_string(saved.top) + " " +
         std::to_string(s.notTopmost) + " " + s.bitmapPath + " " + std::to_string(s.lineWidth) +
         (s.sizePercent != 0 ? " " + std::to_string(s.sizePercent) : "");
}

TEST(SettingsFile, WritesFourPositionalLinesByteForByteAndAFixedSizeAfterThem) {
  ClockState s;
  s.windowLeft = 120, s.windowTop = 45, s.bitmapPath = "qv.bmp", s.lineWidth = 2;
  EXPECT_EQ(SettingsText(s), "120,45\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  s.sizePercent = 150;
  EXPECT_EQ(SettingsText(s), "120,45\r\n 0 \r\nqv.bmp\r\n 2 \r\n 150 \r\n");
  s.sizePercent = 0;
  s.windowLeft = -1200, s.windowTop = -80, s.topmost = false;
  s.bitmapPath = "faces\\my face.bmp", s.lineWidth = -3;
  EXPECT_EQ(SettingsText(s), "-1200,-80\r\n-1 \r\nfaces\\my face.bmp\r\n-3 \r\n");
}

TEST(SettingsFile, EachSettingReadsOnItsOwnAndOneThatCantBeReadKeepsItsDefault) {
  std::string utf16 = "\xFF\xFE";  // saved by Notepad as "Unicode"
  for (char c : std::string("-40,8\r\n-1 \r\nmy.bmp\r\n 3 \r\n")) utf16 += {c, '\0'};
  const std::pair<std::string, const char*> cases[] = {
      {"-1200,80\r\n 1 \r\nmy face.bmp\r\n 3 \r\n", "-1200,80 1 my face.bmp 3"},
      {"10,20\r\n", "10,20 0 qv.bmp 2"},
      {"5,6\r\n 40000 \r\nx.bmp\r\n 0 \r\n", "5,6 0 x.bmp 2"},  // 0 means the default pen
      {"0,0\r\n 0 \r\nqv.bmp\r\n-4 \r\n", "0,0 0 qv.bmp -4"},   // refused by the window later
      {"7,99999999999\r\n", "7,0 0 qv.bmp 2"},  // the left is read first, in the same statement
      {"12O,100\r\n 0 \r\nmy.bmp\r\n 3 \r\n", "0,0 0 my.bmp 3"},  // a letter O for a zero
      {"99999999999,5\r\n 0 \r\nmy.bmp\r\n 3 \r\n", "0,0 0 my.bmp 3"},
      {"100.5,20.5\r\n-1 \r\nqv.bmp\r\n 2.5 \r\n", "100,20 -1 qv.bmp 2"},  // ties to even
      {utf16, "-40,8 -1 my.bmp 3"},
      {"120\r\n 0 \r\nqv.bmp\r\n 2 \r\n", "120,0 0 2 2"},       // shifted: read as it always was
      {"0,0\r\n 0 \r\nface,7.bmp\r\n 4 \r\n", "0,0 0 face 2"},  // a comma cuts the name
      {"1,2\r\n 0 \r\nqv.bmp\r\n 5 \r\nmore\r\n9\r\n", "1,2 0 qv.bmp 5"},
      {"1,2\r\n 0 \r\nqv.bmp\r\n 5 \r\n 150 \r\n", "1,2 0 qv.bmp 5 150"},
      {"1,2\r\n 0 \r\nqv.bmp\r\n 5 \r\n50", "1,2 0 qv.bmp 5 50"},
      {"1,2\r\n 0 \r\nqv.bmp\r\n 5 \r\n 400 \r\nmore\r\n", "1,2 0 qv.bmp 5 400"},
  };
  for (const auto& [bytes, read] : cases) EXPECT_EQ(Read(bytes), read) << bytes;
  // A size out of range fixes nothing.
  for (const char* size : {" 49 \r\n", " 401 \r\n", "-100\r\n", " 99999 \r\n"})
    EXPECT_EQ(Read(std::string("1,2\r\n 0 \r\nqv.bmp\r\n 5 \r\n") + size), "1,2 0 qv.bmp 5")
        << size;
  TempFolder empty;
  FileSlot slot(empty.path());
  ClockState none;
  ReadSettingsValues(slot, none);
  EXPECT_EQ(SettingsText(none), "0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

// Only 0 is top-most; line 2 goes back as found unless A changed the switch.
TEST(SettingsFile, TheTopmostLineComesBackAsFoundUnlessTheSwitchChanged) {
  const std::pair<std::string, bool> lines[] = {
      {" 0 ", true}, {"-1 ", false}, {" 1 ", false}, {" 7 ", false}};
  for (const auto& [line, topmost] : lines) {
    TempFolder folder;
    folder.Write("settings.ini", "1,2\r\n" + line + "\r\nqv.bmp\r\n 2 \r\n");
    FileSlot slot(folder.path());
    ClockState s;
    ReadSettingsValues(slot, s);
    EXPECT_EQ(s.topmost, topmost) << line;
    s.windowLeft = 1, s.windowTop = 2;
    EXPECT_EQ(SettingsText(s), "1,2\r\n" + line + "\r\nqv.bmp\r\n 2 \r\n");
    s.topmost = !s.topmost;
    EXPECT_EQ(NotTopmostLine(s), topmost ? -1 : 0) << line;
  }
}

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
    EXPECT_EQ(std::make_tuple(l.color, l.points),
              std::make_tuple(255, std::vector<ShapePoint>{{0, 100}}))
        << text;
  }
  const Loaded three = Load("-1\r\n0,0,5,90\r\n-32768,32767\r\n");
  EXPECT_EQ(std::make_tuple(three.color, three.points),
            std::make_tuple(-1, std::vector<ShapePoint>{{0, 0}, {5, 90}, {-32768, 32767}}));
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
  // The minute hand read before the failure, the second hand's file never opened.
  EXPECT_EQ(std::make_tuple(state.minuteColor, state.minuteShape.pointCount, state.secondColor),
            std::make_tuple(1, 2, 77));

  folder.Write("tan.sin", "2\r\n0,0\r\n");
  LoadHandShapes(state, slot);
  EXPECT_EQ(std::make_tuple(state.hourColor, state.secondColor, state.secondShape.pointCount),
            std::make_tuple(2, 3, 0));
}

}  // namespace
}  // namespace quarvel
