// The size a user fixes for the clock: a fifth line of settings.ini that a four-line reader
// never sees, the clock drawn at it, and the editors' model of it.
#include <gtest/gtest.h>

#include "clock_fixture.h"
#include "skin/settings_file.h"
#include "skineditor/clock_size.h"
#include "skineditor/skin_editor.h"
#include "skineditor/skin_files.h"
#include "skineditor/skin_settings.h"

namespace quarvel {
namespace {

using testing::TempFolder;

constexpr const char* kFourLines = "120,45\r\n 0 \r\nqv.bmp\r\n 2 \r\n";

int16_t SizeRead(const std::string& bytes) {
  TempFolder folder;
  folder.Write("settings.ini", bytes);
  FileSlot slot(folder.path());
  ClockState state;
  ReadSettingsValues(slot, state);
  return state.sizePercent;
}

TEST(ClockSizeSetting, IsALineAfterTheFourThatOnlyAFixedSizeWrites) {
  ClockState state;
  state.windowLeft = 120, state.windowTop = 45, state.bitmapPath = "qv.bmp", state.lineWidth = 2;
  EXPECT_EQ(SettingsText(state), kFourLines);
  state.sizePercent = 150;
  // The four lines unchanged in front: a reader of four lines takes the same values.
  EXPECT_EQ(SettingsText(state), std::string(kFourLines) + " 150 \r\n");

  EXPECT_EQ(SizeRead(std::string(kFourLines) + " 150 \r\n"), 150);
  EXPECT_EQ(SizeRead(std::string(kFourLines) + "50"), 50);
  EXPECT_EQ(SizeRead(std::string(kFourLines) + " 400 \r\nmore\r\n"), 400);
  EXPECT_EQ(SizeRead(kFourLines), 0);
  // Out of range, a note or a bitmap name cut at its comma fix nothing.
  for (const char* after : {" 49 \r\n", " 401 \r\n", "-100\r\n", "my notes\r\n", " 99999 \r\n"})
    EXPECT_EQ(SizeRead(std::string(kFourLines) + after), 0) << after;
  EXPECT_EQ(SizeRead("0,0\r\n 0 \r\nmy,face.bmp\r\n 2 \r\n"), 0);
}

using ClockSizeTest = testing::ClockFixture;

TEST_F(ClockSizeTest, TheClockTakesTheSavedSizeOverTheScreensAndKeepsIt) {
  programDir.Write("settings.ini", "");
  const std::string saved = "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n 150 \r\n";
  Form1& f = Start(saved);
  EXPECT_EQ(std::make_tuple(f.state().faceDiameter, window.width(), window.regionDiameter()),
            std::make_tuple(300, 300, 300));
  EXPECT_EQ(canvas().DrawWidth(), 3);
  EXPECT_EQ(window.Position(), (ScreenPoint{300, 100}));
  EXPECT_EQ(SavedOnClose(), saved);

  // On a 2x screen the fixed size still wins; this run's own setting wins over both.
  HeadlessSystem screen2x{programDir.path(), 7.5f, 7.5f};
  screen2x.SetDrawsAtScreenDpi(true);
  const auto diameter = [&](const std::string& settings, const char* runSetting) {
    screen2x.SetScaleSetting(runSetting);
    work.Write("settings.ini", settings);
    HeadlessWindow w{&clock};
    Form1 clockAt2x(w, screen2x, clock, slot);
    clockAt2x.Load();
    return clockAt2x.state().faceDiameter;
  };
  EXPECT_EQ(diameter("0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n 100 \r\n", ""), 200);
  EXPECT_EQ(diameter("0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n", ""), 400);
  EXPECT_EQ(diameter("0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n 100 \r\n", "3"), 600);
}

TEST(ClockSizeText, ReadsWhatAnAuthorTypes) {
  for (int16_t percent : kSizeChoices) EXPECT_EQ(ParseSize(SizeText(percent)), percent);
  const std::pair<const char*, std::optional<int16_t>> typed[] = {
      {"", 0},
      {"  automatic ", 0},
      {"125", 125},
      {"125%", 125},
      {" 75 % ", 75},
      {"50", 50},
      {"400", 400},
      {"49", std::nullopt},
      {"401", std::nullopt},
      {"1000", std::nullopt},
      {"-100", std::nullopt},
      {"1.5", std::nullopt},
      {"%", std::nullopt},
      {"auto", std::nullopt},
  };
  for (const auto& [text, percent] : typed) EXPECT_EQ(ParseSize(text), percent) << text;
}

TEST(ClockSizeEdit, IsOneStepWithinTheClocksSizesAndIsSavedAsLineFive) {
  TempFolder folder;
  for (const char* name : {"tyou.sin", "tan.sin", "byou.sin"})
    std::filesystem::copy_file(std::string(QUARVEL_DATA_DIR) + "/" + name,
                               folder.path() + "/" + name);
  folder.Write("settings.ini", "300,200\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
  FileSlot slot(folder.path());
  SkinEditor editor(OpenSkin(slot).document);
  EXPECT_EQ(editor.document().sizePercent, 0);
  for (int32_t refused : {49, 401, -1, 32768}) EXPECT_FALSE(editor.SetSizePercent(refused));
  EXPECT_FALSE(editor.HasUnsavedChanges());
  EXPECT_TRUE(editor.SetSizePercent(200));
  EXPECT_TRUE(editor.HasUnsavedChanges());
  ASSERT_TRUE(SaveSkin(slot, editor.document(), 200).saved);
  EXPECT_EQ(folder.Read("settings.ini"), "300,200\r\n-1 \r\nqv.bmp\r\n 2 \r\n 200 \r\n");
  EXPECT_EQ(OpenSkin(slot).document.sizePercent, 200);
  EXPECT_TRUE(editor.Undo());
  EXPECT_EQ(editor.document().sizePercent, 0);
  ASSERT_TRUE(SaveSkin(slot, editor.document(), 200).saved);
  EXPECT_EQ(folder.Read("settings.ini"), "300,200\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
}

TEST(ClockSizeEdit, LinesAfterTheSizeKeepTheirPlaces) {
  SkinDocument skin;
  skin.bitmapName = "qv.bmp", skin.penWidth = 2;
  const std::string found = "1,2\r\n 0 \r\nold.bmp\r\n 5 \r\n 300 \r\nnote\r\n";
  EXPECT_EQ(SettingsWithSkin(found, skin), "1,2\r\n 0 \r\nqv.bmp\r\n 2 \r\n 0 \r\nnote\r\n");
  skin.sizePercent = 75;
  EXPECT_EQ(SettingsWithSkin(found, skin), "1,2\r\n 0 \r\nqv.bmp\r\n 2 \r\n 75 \r\nnote\r\n");
  EXPECT_EQ(SettingsWithSkin("1,2\r\n 0 \r\n", skin), "1,2\r\n 0 \r\nqv.bmp\r\n 2 \r\n 75 \r\n");
  skin.sizePercent = 0;  // a line 5 that fixes no size is the author's own
  EXPECT_EQ(SettingsWithSkin("1,2\r\n 0 \r\nqv.bmp\r\n 2 \r\nnote 300\r\n", skin),
            "1,2\r\n 0 \r\nqv.bmp\r\n 2 \r\nnote 300\r\n");
}

}  // namespace
}  // namespace quarvel
