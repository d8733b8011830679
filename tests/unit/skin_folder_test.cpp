// A skin is a folder that can be copied: what makes one, New skin and Save a copy (never over
// another skin), and the face the editor picks, brought into it and named plainly.
#include "core/skineditor/skin_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

#include "clock_fixture.h"
#include "core/skin/face_picture.h"
#include "core/skin/hand_shapes.h"
#include "core/skin/is_skin_folder.h"
#include "core/skineditor/default_skin.h"
#include "core/skineditor/face_import.h"
#include "core/skineditor/skin_files.h"
#include "tests/bmp/bmp_builder.h"

namespace quarvel {
namespace {

using testing::TempFolder;
using Outcome = FaceImport::Outcome;
namespace fs = std::filesystem;

const std::string kData = QUARVEL_DATA_DIR;

SkinDocument Opened(const std::string& folder) {
  FileSlot slot(folder);
  const OpenedSkin opened = OpenSkin(slot);
  EXPECT_TRUE(opened.problems.empty());
  return opened.document;
}

// A bitmap the clock draws, `width` a multiple of 4 (rows without padding).
std::string Face(int width, char colour) {
  return bmp::Build({.width = width, .height = 4, .pixels = std::string(width * 3 * 4, colour)});
}

TEST(IsSkinFolderTest, AnyOneHandFileMakesASkinFolderTheFaceSettingsOrAReadmeDoNot) {
  for (const char* hand : {kMinuteHandFile, kHourHandFile, kSecondHandFile}) {
    TempFolder folder;
    folder.Write("qv.bmp", "BM");
    folder.Write("settings.ini", "0\r\n");
    folder.Write("readme.txt", "");
    EXPECT_FALSE(IsSkinFolder(folder.path()));
    folder.Write(hand, "0\r\n");
    EXPECT_TRUE(IsSkinFolder(folder.path())) << hand;
  }
  EXPECT_FALSE(IsSkinFolder("/nonexistent-quarvel-folder"));
}

constexpr std::array<const char*, 4> kDefaultFiles{"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"};

TEST(SkinFolder, TheBuiltInDefaultSkinIsDataByteForByte) {
  std::vector<std::string> names;
  for (const DefaultSkinFile& file : DefaultSkinFiles()) {
    names.push_back(file.name);
    EXPECT_EQ(file.bytes, ReadWholeFile(kData + "/" + file.name, file.name)) << file.name;
  }
  EXPECT_EQ(names, std::vector<std::string>(kDefaultFiles.begin(), kDefaultFiles.end()));
}

// The Windows zip's editor opens the default skin's folder first: saved over, New skin is pristine.
TEST(SkinFolder, ANewSkinIsThePristineDefaultAfterTheDefaultFolderWasSavedOver) {
  TempFolder programs, elsewhere, target;
  programs.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp"});
  FileSlot slot(programs.path());
  OpenedSkin opened = OpenSkin(slot);
  SkinOnDisk onDisk = opened.onDisk();
  SkinDocument edited = opened.document;
  for (HandId id : kAllHands) edited.hand(id).color = 0x123456;
  edited.penWidth = 7;
  edited.bitmapName = PickedFaceName(programs.path(), elsewhere.Write("qv.bmp", Face(40, 'e')));
  ASSERT_TRUE(SaveSkin(slot, edited, 200, onDisk).saved);
  ASSERT_EQ(onDisk.document.bitmapName, "qv-2.bmp");
  programs.Write("qv.bmp", Face(40, 'e'));  // and the face itself painted over

  const FolderOutcome made = NewSkinFolder(target.path());
  ASSERT_TRUE(made.done) << made.message;
  for (const char* name : kDefaultFiles)
    EXPECT_EQ(target.Read(name), ReadWholeFile(kData + "/" + name, name)) << name;
  EXPECT_EQ(target.Read("settings.ini"), "0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_EQ(std::make_tuple(made.written, made.written),
            std::make_tuple(Opened(target.path()), Opened(kData)));
}

// A folder with a hand file or face of that name is refused whole; settings.ini keeps its place.
TEST(SkinFolder, ANewSkinNeverReplacesAFile) {
  for (const char* name : kDefaultFiles) {
    TempFolder target;
    target.Write(name, "mine");
    const FolderOutcome refused = NewSkinFolder(target.path());
    EXPECT_FALSE(refused.done) << name;
    EXPECT_NE(refused.message.find(std::string("holds a skin already (") + name), std::string::npos)
        << refused.message;
    EXPECT_EQ(target.Read(name), "mine");
    EXPECT_EQ(std::distance(fs::directory_iterator(target.path()), {}), 1) << name;
  }
  TempFolder target;
  target.Write("settings.ini", "40,50\r\n-1 \r\nnight.bmp\r\n 9 \r\n 200 \r\n");
  ASSERT_TRUE(NewSkinFolder(target.path()).done);
  EXPECT_EQ(target.Read("settings.ini"), "40,50\r\n-1 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_FALSE(NewSkinFolder(target.path() + "/none").done);

  // settings.ini that can't be written (a folder): the files made before it are taken back.
  TempFolder blocked;
  fs::create_directory(blocked.path() + "/settings.ini");
  const FolderOutcome failed = NewSkinFolder(blocked.path());
  EXPECT_FALSE(failed.done);
  EXPECT_NE(failed.message.find("Nothing was left in"), std::string::npos) << failed.message;
  EXPECT_EQ(std::distance(fs::directory_iterator(blocked.path()), {}), 1);
}

TEST(SkinFolder, ACopyTakesTheEditedSkinAndItsFaceAndNeverReplacesASkin) {
  TempFolder source, target;
  source.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin"});
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
  for (const std::string& into : {source.path(), target.path() + "/none"})
    EXPECT_FALSE(SaveSkinCopy(other, source.path(), into, 200).done) << into;
  // A skin the clock would refuse is refused here too.
  TempFolder empty;
  other.penWidth = 0;
  other.hand(HandId::kHour).points.assign(3, ShapePoint{0, 30000});
  const FolderOutcome refused = SaveSkinCopy(other, source.path(), empty.path(), 200);
  EXPECT_FALSE(refused.done);
  EXPECT_FALSE(fs::exists(empty.path() + "/tyou.sin"));
}

// What an import did, and the name the skin gives the face.
std::pair<Outcome, std::string> Got(const FaceImport& face) {
  return {face.outcome, face.name};
}

struct Folders {
  TempFolder skin;
  TempFolder elsewhere;
  std::string Entries() const {
    std::string names;
    for (const auto& entry : fs::directory_iterator(skin.path()))
      names += entry.path().filename().string() + " ";
    return names;
  }
};

TEST(FaceImport, AFaceFromElsewhereIsCopiedWholeAndNamedPlainly) {
  Folders f;
  const std::string big = Face(100000, 'a');  // 1.2 MB: a face, not a list of numbers
  const std::string picked = f.elsewhere.Write("face2.bmp", big);
  const FaceImport face = BringFaceIntoSkin(f.skin.path(), picked);
  EXPECT_EQ(Got(face), std::make_pair(Outcome::kCopied, std::string("face2.bmp")));
  EXPECT_EQ(face.message, "Copied face2.bmp into the skin folder.");
  EXPECT_EQ(f.skin.Read("face2.bmp"), big);
  EXPECT_EQ(f.Entries(), "face2.bmp ");  // and no temporary file left
  EXPECT_EQ(f.elsewhere.Read("face2.bmp"), big);

  // Picked again: the same bytes are there, so that file is named and nothing is written.
  EXPECT_EQ(Got(BringFaceIntoSkin(f.skin.path(), picked)),
            std::make_pair(Outcome::kReused, std::string("face2.bmp")));
  EXPECT_EQ(f.Entries(), "face2.bmp ");
}

TEST(FaceImport, AnotherFileOfThatNameIsNeverReplaced) {
  Folders f;
  f.skin.Write("face.bmp", Face(40, 'a'));
  f.skin.Write("face-2.bmp", Face(40, 'b'));
  const std::string picked = f.elsewhere.Write("face.bmp", Face(40, 'c'));
  const FaceImport face = BringFaceIntoSkin(f.skin.path(), picked);
  EXPECT_EQ(Got(face), std::make_pair(Outcome::kCopied, std::string("face-3.bmp")));
  EXPECT_EQ(face.message,
            "Copied face.bmp into the skin folder as face-3.bmp (another face.bmp is there "
            "already).");
  EXPECT_EQ(std::make_tuple(f.skin.Read("face.bmp"), f.skin.Read("face-2.bmp"),
                            f.skin.Read("face-3.bmp")),
            std::make_tuple(Face(40, 'a'), Face(40, 'b'), Face(40, 'c')));
  // The numbered copy is found again by its bytes.
  f.skin.Write("face.bmp", Face(40, 'd'));
  EXPECT_EQ(BringFaceIntoSkin(f.skin.path(), f.elsewhere.Write("face.bmp", Face(40, 'b'))).name,
            "face-2.bmp");
}

TEST(FaceImport, AFaceInTheSkinFolderKeepsItsPlace) {
  Folders f;
  const std::string inside = f.skin.Write("qv.bmp", Face(40, 'a'));
  fs::create_directory(f.skin.path() + "/faces");
  const std::string below = f.skin.Write("faces/blue.bmp", Face(40, 'b'));
  const auto inSkin = [](const char* name) {
    return std::make_pair(Outcome::kInSkin, std::string(name));
  };
  EXPECT_EQ(Got(BringFaceIntoSkin(f.skin.path(), inside)), inSkin("qv.bmp"));
  EXPECT_EQ(Got(BringFaceIntoSkin(f.skin.path() + "/", f.skin.path() + "/./faces/../qv.bmp")),
            inSkin("qv.bmp"));
  EXPECT_EQ(Got(BringFaceIntoSkin(f.skin.path(), below)), inSkin("faces\\blue.bmp"));
  EXPECT_EQ(std::distance(fs::directory_iterator(f.skin.path()), {}), 2);  // nothing added
}

TEST(FaceImport, AFailedCopySaysWhyAndWritesNothing) {
  Folders f;
  FaceImport face = BringFaceIntoSkin(f.skin.path(), f.elsewhere.path() + "/gone.bmp");
  EXPECT_EQ(Got(face), std::make_pair(Outcome::kFailed, std::string()));
  EXPECT_NE(face.message.find("File not found"), std::string::npos) << face.message;
  // A skin folder that can't be written (here: one that is gone).
  face = BringFaceIntoSkin(f.skin.path() + "/gone", f.elsewhere.Write("face.bmp", Face(40, 'a')));
  EXPECT_EQ(face.outcome, Outcome::kFailed);
  EXPECT_NE(face.message.find("could not be copied into the skin folder"), std::string::npos);
  EXPECT_EQ(f.Entries(), "");
}

// Browse... only names the face; the save brings one from elsewhere in and names it plainly.
TEST(FaceImport, AFacePickedElsewhereIsBroughtInAtTheSaveNotBefore) {
  Folders f;
  f.skin.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin"});
  const std::string inside = f.skin.Write("qv.bmp", Face(40, 'a'));
  const std::string picked = f.elsewhere.Write("face.bmp", Face(40, 'b'));
  EXPECT_EQ(
      std::make_pair(PickedFaceName(f.skin.path(), inside), PickedFaceName(f.skin.path(), picked)),
      std::make_pair(std::string("qv.bmp"), picked));
  const std::string before = f.Entries();

  FileSlot slot(f.skin.path());
  const OpenedSkin opened = OpenSkin(slot);
  SkinOnDisk onDisk = opened.onDisk();
  SkinDocument document = opened.document;
  document.bitmapName = PickedFaceName(f.skin.path(), picked);
  EXPECT_EQ(f.Entries(), before);
  const SaveOutcome saved = SaveSkin(slot, document, 40, onDisk);
  ASSERT_TRUE(saved.saved) << saved.message;
  EXPECT_EQ(saved.message, "Copied face.bmp into the skin folder.");
  EXPECT_EQ(f.skin.Read("face.bmp"), Face(40, 'b'));
  EXPECT_EQ(onDisk.document.bitmapName, "face.bmp");
  EXPECT_EQ(Opened(f.skin.path()), onDisk.document);

  // A full path the skin named already is the author's own choice: saved as it is, not copied.
  const std::string other = f.elsewhere.Write("other.bmp", Face(40, 'c'));
  f.skin.Write("settings.ini", "0,0\r\n 0 \r\n" + other + "\r\n 2 \r\n");
  const OpenedSkin named = OpenSkin(slot);
  onDisk = named.onDisk();
  ASSERT_TRUE(SaveSkin(slot, named.document, 40, onDisk).saved);
  EXPECT_FALSE(fs::exists(f.skin.path() + "/other.bmp"));
  EXPECT_EQ(Opened(f.skin.path()).bitmapName, other);
}

TEST(FacePicturePath, BackslashesSeparateFoldersWhenNoFileHasTheNameAsWritten) {
  TempFolder skin;
  FileSlot slot(skin.path());
  fs::create_directory(skin.path() + "/faces");
  skin.Write("faces/blue.bmp", Face(60, 'b'));
  for (const char* name : {"faces\\blue.bmp", "faces/blue.bmp"})
    EXPECT_EQ(FacePicturePath(slot, name), skin.path() + "/faces/blue.bmp") << name;
  // A Linux name that really holds a backslash, and a rooted name, stay as written.
  skin.Write("faces\\blue.bmp", Face(70, 'c'));
  for (const char* name : {"faces\\blue.bmp", "\\faces\\blue.bmp", "C:\\faces\\blue.bmp"})
    EXPECT_EQ(FacePicturePath(slot, name), skin.path() + "/" + name);
  EXPECT_EQ(FacePicturePath(slot, "/srv/faces\\blue.bmp"), "/srv/faces\\blue.bmp");

  fs::remove(skin.path() + "/faces\\blue.bmp");
  std::string problem;
  EXPECT_EQ(OpenFacePicture(slot, "faces\\blue.bmp", problem).width, 60) << problem;
}

using FaceNameTest = testing::ClockFixture;

TEST_F(FaceNameTest, TheClockReadsAWindowsRelativeNameFromItsSkinFolder) {
  fs::create_directory(work.path() + "/faces");
  work.Write("faces/blue.bmp", Face(160, 'b'));
  Form1& f = Start("0,0\r\n 0 \r\nfaces\\blue.bmp\r\n 2 \r\n");
  EXPECT_EQ(f.state().faceDiameter, 160);
  EXPECT_EQ(SavedOnClose(), "0,0\r\n 0 \r\nfaces\\blue.bmp\r\n 2 \r\n");
}

}  // namespace
}  // namespace quarvel
