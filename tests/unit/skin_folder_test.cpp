// New skin, Save a copy: whole skins written into other folders, never over another skin.
#include "skineditor/skin_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "skineditor/skin_files.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

const std::string kData = QUARVEL_DATA_DIR;

SkinDocument Opened(const std::string& folder) {
  FileSlot slot(folder);
  const OpenedSkin opened = OpenSkin(slot);
  EXPECT_TRUE(opened.problems.empty());
  return opened.document;
}

TEST(SkinFolder, ANewSkinIsTheDefaultSkinWithItsFaceInAFolderOfItsOwn) {
  TempFolder target;
  const FolderOutcome made = NewSkinFolder(kData, target.path());
  ASSERT_TRUE(made.done) << made.message;
  for (const char* name : {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"})
    EXPECT_EQ(target.Read(name), ReadWholeFile(kData + "/" + name, name)) << name;
  EXPECT_EQ(Opened(target.path()), Opened(kData));
  EXPECT_EQ(made.written, Opened(target.path()));
  EXPECT_TRUE(fs::exists(target.path() + "/settings.ini"));
}

TEST(SkinFolder, ACopyTakesTheEditedSkinAndItsFaceAndNeverReplacesASkin) {
  TempFolder source, target;
  for (const char* name : {"tyou.sin", "tan.sin", "byou.sin"})
    fs::copy_file(kData + "/" + name, source.path() + "/" + name);
  fs::create_directory(source.path() + "/faces");
  fs::copy_file(kData + "/qv.bmp", source.path() + "/faces/night.bmp");
  SkinDocument edited = Opened(source.path());
  edited.hand(HandId::kSecond).color = 0x123456;
  edited.bitmapName = "faces\\night.bmp";
  edited.penWidth = 3;

  const FolderOutcome copied = SaveSkinCopy(edited, source.path(), target.path(), 200);
  ASSERT_TRUE(copied.done) << copied.message;
  EXPECT_EQ(copied.written.bitmapName, "night.bmp") << "named plainly in the copy";
  EXPECT_EQ(target.Read("night.bmp"), ReadWholeFile(kData + "/qv.bmp", "qv.bmp"));
  SkinDocument expected = edited;
  expected.bitmapName = "night.bmp";
  EXPECT_EQ(Opened(target.path()), expected);
  EXPECT_EQ(Opened(source.path()).hand(HandId::kSecond), Opened(kData).hand(HandId::kSecond))
      << "the original is untouched";

  // Into a folder with a skin, or the skin's own folder: refused, nothing written.
  const std::string before = target.Read("byou.sin");
  SkinDocument other = edited;
  other.hand(HandId::kSecond).color = 1;
  const FolderOutcome over = SaveSkinCopy(other, source.path(), target.path(), 200);
  EXPECT_FALSE(over.done);
  EXPECT_NE(over.message.find("holds a skin already"), std::string::npos) << over.message;
  EXPECT_EQ(target.Read("byou.sin"), before);
  EXPECT_FALSE(SaveSkinCopy(other, source.path(), source.path(), 200).done);
  EXPECT_FALSE(SaveSkinCopy(other, source.path(), target.path() + "/none", 200).done);
  // A skin the clock would refuse is refused here too.
  TempFolder empty;
  other.penWidth = 0;
  other.hand(HandId::kHour).points.assign(3, ShapePoint{0, 30000});
  const FolderOutcome refused = SaveSkinCopy(other, source.path(), empty.path(), 200);
  EXPECT_FALSE(refused.done);
  EXPECT_FALSE(fs::exists(empty.path() + "/tyou.sin"));
}

}  // namespace
}  // namespace quarvel
