// settings.ini both ways: the exact bytes written, what reads back, and the defaults a short or
// damaged file leaves in place.
#include "clockwindow/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace quarvel {
namespace {

using testing::ErrorOf;
using testing::TempFolder;

struct Read {
  SavedPosition saved;
  ClockState state;
};

Read ReadFrom(const std::string& bytes) {
  TempFolder folder;
  folder.Write("settings.ini", bytes);
  FileSlot slot(folder.path());
  Read r;
  r.saved = ReadSettingsValues(slot, r.state);
  EXPECT_FALSE(slot.IsOpen());
  return r;
}

TEST(SettingsFile, WritesFourPositionalLinesByteForByte) {
  ClockState s;
  s.windowLeft = 120;
  s.windowTop = 45;
  s.notTopmost = 0;
  s.bitmapPath = "qv.bmp";
  s.lineWidth = 2;
  EXPECT_EQ(SettingsText(s), "120,45\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  s.windowLeft = -1200;
  s.windowTop = -80;
  s.notTopmost = -1;
  s.bitmapPath = "faces\\my face.bmp";
  s.lineWidth = -3;
  EXPECT_EQ(SettingsText(s), "-1200,-80\r\n-1 \r\nfaces\\my face.bmp\r\n-3 \r\n");
}

TEST(SettingsFile, ReadsWhatItWrites) {
  Read r = ReadFrom("-1200,80\r\n 1 \r\nmy face.bmp\r\n 3 \r\n");
  EXPECT_EQ(r.saved.left, -1200);
  EXPECT_EQ(r.saved.top, 80);
  EXPECT_EQ(r.state.notTopmost, 1);  // kept as 1: not top-most, like -1
  EXPECT_EQ(r.state.bitmapPath, "my face.bmp");
  EXPECT_EQ(r.state.lineWidth, 3);
  r.state.windowLeft = r.saved.left;
  r.state.windowTop = r.saved.top;
  EXPECT_EQ(SettingsText(r.state), "-1200,80\r\n 1 \r\nmy face.bmp\r\n 3 \r\n");
}

TEST(SettingsFile, MissingShortAndDamagedFilesKeepTheDefaults) {
  TempFolder empty;
  FileSlot slot(empty.path());
  ClockState none;
  SavedPosition saved = ReadSettingsValues(slot, none);
  EXPECT_EQ(saved.left, 0);
  EXPECT_EQ(saved.top, 0);
  EXPECT_EQ(none.notTopmost, 0);
  EXPECT_EQ(none.bitmapPath, "qv.bmp");
  EXPECT_EQ(none.lineWidth, 2);

  Read shortFile = ReadFrom("10,20\r\n");
  EXPECT_EQ(shortFile.saved.left, 10);
  EXPECT_EQ(shortFile.state.bitmapPath, "qv.bmp");
  EXPECT_EQ(shortFile.state.lineWidth, 2);

  // Too large for 16 bits: that setting alone keeps its default.
  Read tooLarge = ReadFrom("5,6\r\n 40000 \r\nx.bmp\r\n 0 \r\n");
  EXPECT_EQ(tooLarge.state.notTopmost, 0);
  EXPECT_EQ(tooLarge.state.bitmapPath, "x.bmp");
  EXPECT_EQ(tooLarge.state.lineWidth, 2);  // 0 means the default

  // The top is too large: the left, read first in the same statement, is kept.
  Read half = ReadFrom("7,99999999999\r\n");
  EXPECT_EQ(half.saved.left, 7);
  EXPECT_EQ(half.saved.top, 0);
}

TEST(SettingsFile, ABadValueCostsNoOtherSetting) {
  // A letter O for a zero: only the place falls back to (0, 0).
  for (const char* line1 : {"12O,100", "99999999999,5"}) {
    Read typo = ReadFrom(std::string(line1) + "\r\n 0 \r\nmy.bmp\r\n 3 \r\n");
    EXPECT_EQ(typo.saved.left, 0) << line1;
    EXPECT_EQ(typo.saved.top, 0) << line1;
    EXPECT_EQ(typo.state.notTopmost, 0) << line1;
    EXPECT_EQ(typo.state.bitmapPath, "my.bmp") << line1;
    EXPECT_EQ(typo.state.lineWidth, 3) << line1;
  }
  // A fraction is a number, rounded ties to even.
  Read fraction = ReadFrom("100.5,20.5\r\n-1 \r\nqv.bmp\r\n 2.5 \r\n");
  EXPECT_EQ(fraction.saved.left, 100);
  EXPECT_EQ(fraction.saved.top, 20);
  EXPECT_EQ(fraction.state.lineWidth, 2);
  // Saved by Notepad as "Unicode": the same settings.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("-40,8\r\n-1 \r\nmy.bmp\r\n 3 \r\n")) utf16 += {c, '\0'};
  Read wide = ReadFrom(utf16);
  EXPECT_EQ(wide.saved.left, -40);
  EXPECT_EQ(wide.state.notTopmost, -1);
  EXPECT_EQ(wide.state.bitmapPath, "my.bmp");
  // A file that is merely shifted still reads as it always did: one value on line 1.
  Read shifted = ReadFrom("120\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_EQ(shifted.saved.left, 120);
  EXPECT_EQ(shifted.saved.top, 0);           // line 2
  EXPECT_EQ(shifted.state.notTopmost, 0);    // "qv.bmp" is no number: the default
  EXPECT_EQ(shifted.state.bitmapPath, "2");  // line 4
}

TEST(SettingsFile, ACommaCutsTheBitmapNameAndLinesAfterTheFourthAreIgnored) {
  Read comma = ReadFrom("0,0\r\n 0 \r\nface,7.bmp\r\n 4 \r\n");
  EXPECT_EQ(comma.state.bitmapPath, "face");
  EXPECT_EQ(comma.state.lineWidth, 2);  // "7.bmp" is no number: the default stays
  Read extra = ReadFrom("1,2\r\n 0 \r\nqv.bmp\r\n 5 \r\nmore\r\n9\r\n");
  EXPECT_EQ(extra.state.lineWidth, 5);
  extra.state.windowLeft = 1;
  extra.state.windowTop = 2;
  EXPECT_EQ(SettingsText(extra.state), "1,2\r\n 0 \r\nqv.bmp\r\n 5 \r\n");
}

TEST(SettingsFile, WritingReplacesTheFileInOneStep) {
  TempFolder folder;
  folder.Write("settings.ini", "old,content\r\n");
  FileSlot slot(folder.path());
  ClockState s;
  s.bitmapPath = "qv.bmp";
  s.lineWidth = 2;
  WriteSettingsFile(slot, s);
  EXPECT_EQ(folder.Read("settings.ini"), "0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
      << "no temporary file is left behind";
}

TEST(SettingsFile, AReadOnlyFileIsRefusedAndKeepsItsContent) {
  TempFolder folder;
  const std::string path = folder.Write("settings.ini", "9,9\r\n 0 \r\nkeep.bmp\r\n 2 \r\n");
  std::filesystem::permissions(
      path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  FileSlot slot(folder.path());
  ClockState s;
  try {
    WriteSettingsFile(slot, s);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 75);
    EXPECT_EQ(e.file(), "settings.ini");
  }
  EXPECT_EQ(folder.Read("settings.ini"), "9,9\r\n 0 \r\nkeep.bmp\r\n 2 \r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

  TempFolder other;
  FileSlot missingFolder(other.path() + "/no/such/folder");
  EXPECT_NE(ErrorOf([&] { WriteSettingsFile(missingFolder, s); }), 0);
}

}  // namespace
}  // namespace quarvel
