// What makes a folder a skin, decided by the skin's own layer: any one hand file; the face,
// the settings or a readme alone do not.
#include "skin/is_skin_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "skin/hand_shapes.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

TEST(IsSkinFolderTest, AnyOneHandFileMakesASkinFolder) {
  for (const char* hand : {kMinuteHandFile, kHourHandFile, kSecondHandFile}) {
    testing::TempFolder folder;
    folder.Write("qv.bmp", "BM");
    folder.Write("settings.ini", "0\r\n");
    folder.Write("readme.txt", "");
    EXPECT_FALSE(IsSkinFolder(folder.path()));
    folder.Write(hand, "0\r\n");
    EXPECT_TRUE(IsSkinFolder(folder.path())) << hand;
  }
  EXPECT_FALSE(IsSkinFolder("/nonexistent-quarvel-folder"));
}

}  // namespace
}  // namespace quarvel
