// The skin editor's files: opening, and a save that loses nothing.
#include "core/skineditor/skin_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/skineditor/hand_file.h"
#include "core/skineditor/skin_editor.h"
#include "core/skineditor/skin_settings.h"
#include "runtime/safe_file.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

const std::string kData = QUARVEL_DATA_DIR;

// The default skin in a folder of its own, opened.
struct Skin {
  TempFolder folder;
  FileSlot slot{folder.path()};
  SkinDocument document;
  Skin() {
    folder.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin"});
    folder.Write("settings.ini", "300,200\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
    document = OpenSkin(slot).document;
  }
  // Line `number` of a file, without its break.
  std::string Line(const char* file, int number) const {
    const std::string text = folder.Read(file);
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) start = text.find('\n', start) + 1;
    return text.substr(start, text.find('\r', start) - start);
  }
  std::string Files() const {
    std::string all;
    for (const char* name : {"tyou.sin", "tan.sin", "byou.sin", "settings.ini"})
      all += folder.Read(name) + "|";
    return all;
  }
};

// Saved unedited, the default hand files stay byte for byte (fuzz_hand_file checks any file).
TEST(HandFile, TheDefaultHandFilesAreInTheSavedForm) {
  for (const char* name : {"tyou.sin", "tan.sin", "byou.sin"}) {
    FileSlot slot(kData);
    std::string problem;
    EXPECT_EQ(HandFileText(ReadHandFile(slot, name, problem)),
              ReadWholeFile(kData + "/" + name, ""))
        << name << problem;
  }
}

TEST(SkinFiles, ABrokenSkinOpensWithTheClocksReportsAndWritesNothing) {
  TempFolder folder;
  folder.Write("tyou.sin", "255\r\n0,0\r\n0,90\r\n5\r\n");  // an odd value at the end
  folder.Write("tan.sin", "65280\r\n0,0\r\n0,x\r\n");
  const auto before = fs::last_write_time(folder.path() + "/tyou.sin");
  FileSlot slot(folder.path());
  const OpenedSkin opened = OpenSkin(slot);
  EXPECT_EQ(opened.problems, (std::vector<std::string>{
                                 "Run-time error 62: Input past end of file (tyou.sin, line 4)",
                                 "Run-time error 13: Type mismatch (tan.sin, line 3)",
                                 "Run-time error 53: File not found (byou.sin)"}));
  // What could be read stays; a missing file gives an empty hand.
  SkinDocument expected;
  expected.hand(HandId::kMinute) = {255, {{0, 0}, {0, 90}}};
  expected.hand(HandId::kHour) = {65280, {{0, 0}}};
  expected.bitmapName = "qv.bmp", expected.penWidth = 2;
  EXPECT_EQ(opened.document, expected);
  EXPECT_EQ(std::make_tuple(std::distance(fs::directory_iterator(folder.path()), {}),
                            fs::last_write_time(folder.path() + "/tyou.sin")),
            std::make_tuple(std::ptrdiff_t{2}, before));
  std::string problem;
  EXPECT_TRUE(OpenFacePicture(slot, "qv.bmp", problem).empty());
  EXPECT_EQ(problem, "Run-time error 53: File not found (qv.bmp)");
}

TEST(SkinSettings, OnlyLinesThreeToFiveAreTheSkins) {
  SkinDocument skin;
  skin.bitmapName = "night.bmp";
  skin.penWidth = 3;
  EXPECT_EQ(SettingsWithSkin("-40,7\n1\r\nqv.bmp\r\n 2 \r\nextra\r", skin),
            "-40,7\n1\r\nnight.bmp\r\n 3 \r\nextra\r");
  EXPECT_EQ(SettingsWithSkin("12,34", skin), "12,34\r\n 0 \r\nnight.bmp\r\n 3 \r\n");
  EXPECT_EQ(SettingsWithSkin("", skin), "0,0\r\n 0 \r\nnight.bmp\r\n 3 \r\n");
  // Line 5 is the clock's size, and the lines after it keep their places.
  const std::string found = "1,2\r\n 0 \r\nold.bmp\r\n 5 \r\n 300 \r\nnote\r\n";
  EXPECT_EQ(SettingsWithSkin(found, skin), "1,2\r\n 0 \r\nnight.bmp\r\n 3 \r\n 0 \r\nnote\r\n");
  skin.sizePercent = 75;
  EXPECT_EQ(SettingsWithSkin(found, skin), "1,2\r\n 0 \r\nnight.bmp\r\n 3 \r\n 75 \r\nnote\r\n");
  EXPECT_EQ(SettingsWithSkin("1,2\r\n 0 \r\n", skin), "1,2\r\n 0 \r\nnight.bmp\r\n 3 \r\n 75 \r\n");
  skin.sizePercent = 0;  // a line 5 that fixes no size is the author's own
  EXPECT_EQ(SettingsWithSkin("1,2\r\n 0 \r\nqv.bmp\r\n 2 \r\nnote 300\r\n", skin),
            "1,2\r\n 0 \r\nnight.bmp\r\n 3 \r\nnote 300\r\n");
}

TEST(SkinFiles, ASizeIsOneEditWithinTheClocksSizesSavedAsLineFive) {
  Skin skin;
  SkinEditor editor(skin.document);
  for (int32_t refused : {49, 401, -1, 32768}) EXPECT_FALSE(editor.SetSizePercent(refused));
  EXPECT_FALSE(editor.HasUnsavedChanges());
  EXPECT_TRUE(editor.SetSizePercent(200) && editor.HasUnsavedChanges());
  ASSERT_TRUE(SaveSkin(skin.slot, editor.document(), 200).saved);
  EXPECT_EQ(skin.folder.Read("settings.ini"), "300,200\r\n 0 \r\nqv.bmp\r\n 2 \r\n 200 \r\n");
  EXPECT_EQ(OpenSkin(skin.slot).document.sizePercent, 200);
  ASSERT_TRUE(editor.Undo());
  ASSERT_TRUE(SaveSkin(skin.slot, editor.document(), 200).saved);
  EXPECT_EQ(skin.folder.Read("settings.ini"), "300,200\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

TEST(SkinFiles, SaveWritesAllFourInTheClocksForms) {
  Skin skin;
  skin.document.hand(HandId::kHour) = {255, {{0, 0}, {-8, 25}, {0, 90}}};
  skin.document.penWidth = 4;
  // The clock moved meanwhile: the save keeps its newer place.
  skin.folder.Write("settings.ini", "10,20\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
  const SaveOutcome outcome = SaveSkin(skin.slot, skin.document, 200);
  EXPECT_TRUE(outcome.saved) << outcome.message;
  EXPECT_EQ(skin.Files(),
            ReadWholeFile(kData + "/tyou.sin", "") + "|255\r\n0,0\r\n-8,25\r\n0,90\r\n|" +
                ReadWholeFile(kData + "/byou.sin", "") + "|10,20\r\n-1 \r\nqv.bmp\r\n 4 \r\n|");
  EXPECT_EQ(OpenSkin(skin.slot).document, skin.document);
}

TEST(SkinFiles, ASkinTheClockRefusesOrAReadOnlyFileStopsTheSaveBeforeAnyWrite) {
  Skin skin;
  const std::string before = skin.Files();
  SkinDocument refused = skin.document;
  refused.hand(HandId::kSecond).points.assign(52, {0, 50});
  EXPECT_NE(SaveSkin(skin.slot, refused, 200)
                .message.find("Run-time error 9: Subscript out of range (byou.sin, pair 52)"),
            std::string::npos);
  refused = skin.document;
  refused.hand(HandId::kHour).points[2].radiusPercent = 40000;
  EXPECT_NE(SaveSkin(skin.slot, refused, 200)
                .message.find("Run-time error 6: Overflow (tan.sin, line 4)"),
            std::string::npos);
  fs::permissions(skin.folder.path() + "/byou.sin", fs::perms::owner_write,
                  fs::perm_options::remove);
  skin.document.hand(HandId::kMinute).color = 255;
  EXPECT_EQ(SaveSkin(skin.slot, skin.document, 200).message,
            "Run-time error 75: Path/File access error (byou.sin)\n\n"
            "Nothing was saved; every file is as it was.");
  EXPECT_EQ(skin.Files(), before);
}

TEST(SkinFiles, AWriteFailingHalfWaySaysWhatWasSavedAndKeepsTheRestWhole) {
  Skin skin;
  // byou.sin links into a folder that is gone, so its temporary file can't be made.
  fs::remove(skin.folder.path() + "/byou.sin");
  fs::create_symlink("gone/byou.sin", skin.folder.path() + "/byou.sin");
  skin.document.hand(HandId::kMinute).color = 255;
  skin.document.hand(HandId::kSecond).color = 255;
  const SaveOutcome outcome = SaveSkin(skin.slot, skin.document, 200);
  EXPECT_FALSE(outcome.saved);
  EXPECT_EQ(outcome.message,
            "Run-time error 75: Path/File access error (byou.sin)\n\n"
            "Saved: tyou.sin, tan.sin.\nKept as they were: byou.sin, settings.ini.");
  EXPECT_EQ(skin.folder.Read("tyou.sin"), HandFileText(skin.document.hand(HandId::kMinute)));
  EXPECT_EQ(fs::read_symlink(skin.folder.path() + "/byou.sin"), "gone/byou.sin");
  EXPECT_EQ(skin.folder.Read("settings.ini"), "300,200\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
}

// One the editor could not read whole holds more than its hand shows: left, or kept beside.
// options.ini: what the clock would not use is told on opening; a file that was not read is
// replaced only when the options change, and then kept beside.
TEST(SkinFiles, AnOptionsFileNotReadIsKeptBesideWhenTheOptionsChange) {
  Skin skin;
  skin.folder.Write("options.ini", "opacity=5\nlayer=bottom\n");
  EXPECT_EQ(OpenSkin(skin.slot).problems,
            (std::vector<std::string>{
                "options.ini: \"opacity=5\" is not used (not a whole percent from 20 to 100); the "
                "default stands.",
                "options.ini: \"layer=bottom\" is not used (not top-most, normal or below); the "
                "default stands."}));

  const std::string binary("seconds_hand=off\n\0\x01", 19);
  skin.folder.Write("options.ini", binary);
  OpenedSkin opened = OpenSkin(skin.slot);
  ASSERT_EQ(opened.problems.size(), 1u);
  SkinOnDisk onDisk = opened.onDisk();
  SkinEditor editor(opened.document);
  ASSERT_TRUE(editor.SetPenWidth(5));
  ASSERT_TRUE(SaveSkin(skin.slot, editor.document(), 200, onDisk).saved);
  EXPECT_EQ(skin.folder.Read("options.ini"), binary);

  ClockOptions options;
  options.date = true;
  ASSERT_TRUE(editor.SetOptions(options));
  const SaveOutcome outcome = SaveSkin(skin.slot, editor.document(), 200, onDisk);
  ASSERT_TRUE(outcome.saved) << outcome.message;
  EXPECT_EQ(outcome.message,
            "options.ini could not be read whole; the old one is kept as options.ini.bak.");
  EXPECT_EQ(skin.folder.Read("options.ini.bak"), binary);
  EXPECT_EQ(OpenSkin(skin.slot).document.options, options);
}

TEST(SkinFiles, AHandFileNotReadWholeIsLeftOrKeptBesideNeverLost) {
  Skin skin;
  std::string huge = ReadWholeFile(kData + "/tan.sin", "");
  huge.resize(kMaxDataFileBytes + 4096, ' ');
  skin.folder.Write("tan.sin", huge);
  OpenedSkin opened = OpenSkin(skin.slot);
  ASSERT_EQ(opened.problems.size(), 1u);
  EXPECT_EQ(opened.problems[0],
            "Run-time error 75: Path/File access error (tan.sin, too large: 1052672 bytes, the "
            "limit is 1 MiB)");
  SkinOnDisk onDisk = opened.onDisk();
  SkinEditor editor(opened.document);

  ASSERT_TRUE(editor.SetPenWidth(5));
  SaveOutcome outcome = SaveSkin(skin.slot, editor.document(), 200, onDisk);
  ASSERT_TRUE(outcome.saved) << outcome.message;
  EXPECT_EQ(outcome.message, "tan.sin could not be read whole; it is left as it was.");
  EXPECT_EQ(skin.folder.Read("tan.sin"), huge);
  EXPECT_EQ(skin.Line("settings.ini", 4), " 5 ");
  EXPECT_FALSE(fs::exists(skin.folder.path() + "/tan.sin.bak"));

  // Edited, then undone: still the hand as read, so still left.
  ASSERT_TRUE(editor.SetColor(HandId::kHour, 255));
  ASSERT_TRUE(editor.Undo());
  EXPECT_TRUE(SaveSkin(skin.slot, editor.document(), 200, onDisk).saved);
  EXPECT_EQ(skin.folder.Read("tan.sin"), huge);

  // Edited: written, the original kept under a free name beside it, another .bak untouched.
  skin.folder.Write("tan.sin.bak", "someone else's");
  ASSERT_TRUE(editor.InsertPoint(HandId::kHour, 0, {0, 50}));
  outcome = SaveSkin(skin.slot, editor.document(), 200, onDisk);
  ASSERT_TRUE(outcome.saved) << outcome.message;
  EXPECT_EQ(outcome.message,
            "tan.sin could not be read whole; the old one is kept as tan.sin.2.bak.");
  EXPECT_EQ(std::make_tuple(skin.folder.Read("tan.sin.2.bak"), skin.folder.Read("tan.sin.bak")),
            std::make_tuple(huge, std::string("someone else's")));
  EXPECT_EQ(skin.folder.Read("tan.sin"), HandFileText(editor.document().hand(HandId::kHour)));
  // Whole now: the next save writes it like any other and keeps nothing more.
  EXPECT_FALSE(onDisk.notReadWhole[static_cast<std::size_t>(HandId::kHour)]);
  ASSERT_TRUE(editor.SetColor(HandId::kHour, 1));
  EXPECT_EQ(SaveSkin(skin.slot, editor.document(), 200, onDisk).message, "");
  EXPECT_FALSE(fs::exists(skin.folder.path() + "/tan.sin.3.bak"));

  // A file missing is nothing to keep: written as the hand is, nothing said.
  fs::remove(skin.folder.path() + "/byou.sin");
  opened = OpenSkin(skin.slot);
  onDisk = opened.onDisk();
  EXPECT_FALSE(onDisk.notReadWhole[static_cast<std::size_t>(HandId::kSecond)]);
  outcome = SaveSkin(skin.slot, opened.document, 200, onDisk);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(skin.folder.Read("byou.sin"), "0\r\n");
}

}  // namespace
}  // namespace quarvel
