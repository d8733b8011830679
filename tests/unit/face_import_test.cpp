// A skin is a folder that can be copied: the face bitmap the editor picks ends up in it, named
// plainly, and the clock reads a relative name against it with either separator.
#include "skineditor/face_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "clock_fixture.h"
#include "skin/face_picture.h"
#include "skineditor/skin_files.h"
#include "tests/bmp/bmp_builder.h"

namespace quarvel {
namespace {

using testing::TempFolder;
using Outcome = FaceImport::Outcome;
namespace fs = std::filesystem;

// A bitmap the clock draws, `width` a multiple of 4 (rows without padding).
std::string Face(int width, char colour) {
  return bmp::Build({.width = width, .height = 4, .pixels = std::string(width * 3 * 4, colour)});
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
  EXPECT_EQ(f.skin.Read("face.bmp"), Face(40, 'a'));
  EXPECT_EQ(f.skin.Read("face-2.bmp"), Face(40, 'b'));
  EXPECT_EQ(f.skin.Read("face-3.bmp"), Face(40, 'c'));
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

// A Linux name that really holds a backslash, and a rooted name, stay as written.
TEST(FacePicturePath, BackslashesSeparateFoldersWhenNoFileHasTheNameAsWritten) {
  TempFolder skin;
  FileSlot slot(skin.path());
  fs::create_directory(skin.path() + "/faces");
  skin.Write("faces/blue.bmp", Face(60, 'b'));
  EXPECT_EQ(FacePicturePath(slot, "faces\\blue.bmp"), skin.path() + "/faces/blue.bmp");
  EXPECT_EQ(FacePicturePath(slot, "faces/blue.bmp"), skin.path() + "/faces/blue.bmp");
  skin.Write("faces\\blue.bmp", Face(70, 'c'));  // a legal Linux name
  EXPECT_EQ(FacePicturePath(slot, "faces\\blue.bmp"), skin.path() + "/faces\\blue.bmp");
  EXPECT_EQ(FacePicturePath(slot, "\\faces\\blue.bmp"), skin.path() + "/\\faces\\blue.bmp");
  EXPECT_EQ(FacePicturePath(slot, "C:\\faces\\blue.bmp"), skin.path() + "/C:\\faces\\blue.bmp");
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
