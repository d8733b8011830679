// The skin editor's files: hand files round-trip through the clock's loader, a broken skin
// opens without touching the disk, settings.ini keeps the clock's lines, and a save that the
// clock would refuse, or that fails half-way, loses nothing.
#include "skineditor/skin_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "clockface/hand_shapes.h"
#include "skineditor/hand_file.h"
#include "skineditor/skin_settings.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

constexpr const char* kSettings = "300,200\r\n 0 \r\nqv.bmp\r\n 2 \r\n";

void WriteSkin(const TempFolder& folder) {
  for (const char* name : {"tyou.sin", "tan.sin", "byou.sin"})
    fs::copy_file(std::string(QUARVEL_DATA_DIR) + "/" + name, folder.path() + "/" + name);
  folder.Write("settings.ini", kSettings);
}

// Every hand file here that the clock's loader takes: saved unedited, it loads back to the same
// colour and points, and once in the saved form it stays byte for byte.
TEST(HandFile, SavedUneditedLoadsBackTheSameAndThenStaysByteForByte) {
  std::vector<std::string> files;
  for (const char* name : {"tyou.sin", "tan.sin", "byou.sin"})
    files.push_back(std::string(QUARVEL_DATA_DIR) + "/" + name);
  for (const auto& entry : fs::directory_iterator(QUARVEL_FUZZ_CORPUS_DIR "/fuzz_hand_shape"))
    files.push_back(entry.path().string());
  int accepted = 0;
  for (const std::string& file : files) {
    TempFolder folder;
    folder.Write("tan.sin", ReadWholeFile(file, file));
    FileSlot slot(folder.path());
    std::string problem;
    const HandDraft first = ReadHandFile(slot, "tan.sin", problem);
    if (!problem.empty()) continue;
    ++accepted;
    const std::string saved = HandFileText(first);
    folder.Write("tan.sin", saved);
    EXPECT_EQ(ReadHandFile(slot, "tan.sin", problem), first) << file;
    EXPECT_EQ(problem, "") << file;
    EXPECT_EQ(HandFileText(ReadHandFile(slot, "tan.sin", problem)), saved) << file;
  }
  EXPECT_GE(accepted, 8);
  EXPECT_EQ(ReadWholeFile(files[1], "tan.sin"), HandFileText({3983615,
                                                              {{180, 9},
                                                               {-140, 8},
                                                               {-100, 6},
                                                               {-45, 12},
                                                               {-26, 22},
                                                               {-17, 33},
                                                               {-11, 42},
                                                               {-5, 49},
                                                               {0, 54},
                                                               {5, 49},
                                                               {11, 42},
                                                               {17, 33},
                                                               {26, 22},
                                                               {45, 12},
                                                               {100, 6},
                                                               {140, 8},
                                                               {180, 9},
                                                               {0, 44}}}));
}

TEST(SkinFiles, ABrokenSkinOpensWithTheClocksReportsAndWritesNothing) {
  TempFolder folder;
  folder.Write("tyou.sin", "255\r\n0,0\r\n0,90\r\n5\r\n");  // an odd value at the end
  folder.Write("tan.sin", "65280\r\n0,0\r\n0,x\r\n");
  const auto before = fs::last_write_time(folder.path() + "/tyou.sin");
  FileSlot slot(folder.path());
  const OpenedSkin opened = OpenSkin(slot);
  ASSERT_EQ(opened.problems.size(), 3u);
  EXPECT_EQ(opened.problems[0], "Run-time error 62: Input past end of file (tyou.sin, line 4)");
  EXPECT_EQ(opened.problems[1], "Run-time error 13: Type mismatch (tan.sin, line 3)");
  EXPECT_EQ(opened.problems[2], "Run-time error 53: File not found (byou.sin)");
  // What could be read stays; a missing file gives an empty hand.
  EXPECT_EQ(opened.document.hand(HandId::kMinute), (HandDraft{255, {{0, 0}, {0, 90}}}));
  EXPECT_EQ(opened.document.hand(HandId::kHour), (HandDraft{65280, {{0, 0}}}));
  EXPECT_EQ(opened.document.hand(HandId::kSecond), HandDraft{});
  EXPECT_EQ(opened.document.bitmapName, "qv.bmp");
  EXPECT_EQ(opened.document.penWidth, 2);
  EXPECT_FALSE(fs::exists(folder.path() + "/byou.sin"));
  EXPECT_FALSE(fs::exists(folder.path() + "/settings.ini"));
  EXPECT_EQ(fs::last_write_time(folder.path() + "/tyou.sin"), before);

  std::string problem;
  EXPECT_TRUE(OpenFacePicture(slot, "qv.bmp", problem).empty());
  EXPECT_EQ(problem, "Run-time error 53: File not found (qv.bmp)");
}

TEST(SkinSettings, OnlyLinesThreeAndFourAreTheSkins) {
  SkinDocument skin;
  skin.bitmapName = "night.bmp";
  skin.penWidth = 3;
  EXPECT_EQ(SettingsWithSkin("-40,7\n1\r\nqv.bmp\r\n 2 \r\nextra\r", skin),
            "-40,7\n1\r\nnight.bmp\r\n 3 \r\nextra\r");
  EXPECT_EQ(SettingsWithSkin("12,34", skin), "12,34\r\n 0 \r\nnight.bmp\r\n 3 \r\n");
  EXPECT_EQ(SettingsWithSkin("", skin), "0,0\r\n 0 \r\nnight.bmp\r\n 3 \r\n");
}

TEST(SkinFiles, SaveWritesAllFourInTheClocksForms) {
  TempFolder folder;
  WriteSkin(folder);
  FileSlot slot(folder.path());
  SkinDocument skin = OpenSkin(slot).document;
  skin.hand(HandId::kHour) = {255, {{0, 0}, {-8, 25}, {0, 90}}};
  skin.penWidth = 4;
  // The clock moved meanwhile: the save keeps its newer place.
  folder.Write("settings.ini", "10,20\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
  const SaveOutcome outcome = SaveSkin(slot, skin, 200);
  EXPECT_TRUE(outcome.saved) << outcome.message;
  EXPECT_EQ(folder.Read("tan.sin"), "255\r\n0,0\r\n-8,25\r\n0,90\r\n");
  EXPECT_EQ(folder.Read("tyou.sin"), ReadWholeFile(QUARVEL_DATA_DIR "/tyou.sin", ""));
  EXPECT_EQ(folder.Read("settings.ini"), "10,20\r\n-1 \r\nqv.bmp\r\n 4 \r\n");
  EXPECT_EQ(OpenSkin(slot).document, skin);
}

struct Snapshot {
  std::string tyou, tan, byou, settings;
  explicit Snapshot(const TempFolder& f)
      : tyou(f.Read("tyou.sin")),
        tan(f.Read("tan.sin")),
        byou(f.Read("byou.sin")),
        settings(f.Read("settings.ini")) {}
  bool operator==(const Snapshot&) const = default;
};

TEST(SkinFiles, ASkinTheClockRefusesIsNotWritten) {
  TempFolder folder;
  WriteSkin(folder);
  FileSlot slot(folder.path());
  const SkinDocument opened = OpenSkin(slot).document;
  const Snapshot before(folder);
  SkinDocument skin = opened;
  skin.hand(HandId::kSecond).points.assign(52, {0, 50});
  SaveOutcome outcome = SaveSkin(slot, skin, 200);
  EXPECT_FALSE(outcome.saved);
  EXPECT_NE(outcome.message.find("Run-time error 9: Subscript out of range (byou.sin, pair 52)"),
            std::string::npos)
      << outcome.message;
  skin = opened;
  skin.hand(HandId::kHour).points[2].radiusPercent = 40000;
  outcome = SaveSkin(slot, skin, 200);
  EXPECT_NE(outcome.message.find("Run-time error 6: Overflow (tan.sin, line 4)"), std::string::npos)
      << outcome.message;
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(SkinFiles, AReadOnlyFileStopsTheSaveBeforeAnyWrite) {
  TempFolder folder;
  WriteSkin(folder);
  fs::permissions(folder.path() + "/byou.sin", fs::perms::owner_write, fs::perm_options::remove);
  FileSlot slot(folder.path());
  SkinDocument skin = OpenSkin(slot).document;
  skin.hand(HandId::kMinute).color = 255;
  const Snapshot before(folder);
  const SaveOutcome outcome = SaveSkin(slot, skin, 200);
  EXPECT_FALSE(outcome.saved);
  EXPECT_EQ(outcome.message,
            "Run-time error 75: Path/File access error (byou.sin)\n\n"
            "Nothing was saved; every file is as it was.");
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(SkinFiles, AWriteFailingHalfWaySaysWhatWasSavedAndKeepsTheRestWhole) {
  TempFolder folder;
  WriteSkin(folder);
  fs::create_directory(folder.path() + "/byou.sin.new");  // its temporary file can't be made
  FileSlot slot(folder.path());
  SkinDocument skin = OpenSkin(slot).document;
  skin.hand(HandId::kMinute).color = 255;
  skin.hand(HandId::kSecond).color = 255;
  const Snapshot before(folder);
  const SaveOutcome outcome = SaveSkin(slot, skin, 200);
  EXPECT_FALSE(outcome.saved);
  EXPECT_EQ(outcome.message,
            "Run-time error 75: Path/File access error (byou.sin)\n\n"
            "Saved: tyou.sin, tan.sin.\nKept as they were: byou.sin, settings.ini.");
  EXPECT_EQ(folder.Read("tyou.sin"), HandFileText(skin.hand(HandId::kMinute)));
  EXPECT_EQ(folder.Read("byou.sin"), before.byou);
  EXPECT_EQ(folder.Read("settings.ini"), before.settings);
}

}  // namespace
}  // namespace quarvel
