// Unsaved edits kept for the next start, offered only for their own skin folder, never lost.
#include "core/skineditor/recovery_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "core/skineditor/skin_editor.h"
#include "runtime/runtime_error.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using testing::FileBytes;
using testing::TempFolder;
using Kind = RecoveryLookup::Kind;
namespace fs = std::filesystem;

// Every field away from its default, at the ends of its range where it has them.
SkinDocument Edited() {
  SkinDocument document;
  document.hand(HandId::kHour) = {255, {{0, 0}, {-8, 25}, {0, 90}, {8, 25}, {0, 0}}};
  HandDraft& minute = document.hand(HandId::kMinute);
  minute.color = -2147483647 - 1;
  for (int i = 0; i < HandShape::kCapacity; ++i)
    minute.points.push_back({-180 + i, 2147483647 - i});
  document.hand(HandId::kSecond) = {16777215, {}};
  document.bitmapName = "faces\\night, blue\n.bmp";
  document.penWidth = -32768;
  document.sizePercent = 32767;
  document.options.secondsHand = false;
  document.options.timeZone = "America/Argentina/Buenos_Aires";
  document.options.opacityPercent = 20;
  document.options.layer = ClockLayer::kBelow;
  return document;
}

TEST(RecoveryCopyTest, KeptEditsReadBackWholeUnderTheFoldersKeyAndNowhereElse) {
  TempFolder state;
  const RecoveryStore store(state.path() + "/quarvel/recovery");
  const std::string skin = "/srv/author/skins/odd name\nwith a line break";
  store.Keep(skin, Edited());

  const RecoveryLookup found = store.Find(skin);
  ASSERT_EQ(found.kind, Kind::kFound) << found.problem;
  EXPECT_EQ(found.document, Edited());
  EXPECT_EQ(store.PathFor(skin), store.folder() + "/" + RecoveryFileName(skin));
  EXPECT_EQ(RecoveryFileName(skin).size(), 16u + 5u);
  EXPECT_NE(RecoveryFileName(skin), RecoveryFileName(skin + "/"));
  EXPECT_NE(FileBytes(store.PathFor(skin)).find(skin), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(store.folder()), {}), 1);
  struct stat info {};
  ASSERT_EQ(::stat(store.folder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // Kept again, the newer edits replace the older; dropped, nothing is left.
  SkinDocument later = Edited();
  later.penWidth = 3;
  store.Keep(skin, later);
  EXPECT_EQ(store.Find(skin).document, later);
  store.Drop(skin);
  EXPECT_EQ(store.Find(skin).kind, Kind::kNone);
  EXPECT_FALSE(fs::exists(store.PathFor(skin)));
}

TEST(RecoveryCopyTest, AnotherFoldersCopyUnderThisKeyIsNotOfferedNorRemoved) {
  TempFolder state;
  const RecoveryStore store(state.path());
  store.Keep("/skins/a", Edited());
  fs::rename(store.PathFor("/skins/a"), store.PathFor("/skins/b"));
  EXPECT_EQ(store.Find("/skins/b").kind, Kind::kNone);
  EXPECT_EQ(store.Find("/skins/a").kind, Kind::kNone);
  store.Drop("/skins/b");
  EXPECT_TRUE(fs::exists(store.PathFor("/skins/b")));
}

TEST(RecoveryCopyTest, ADamagedCopyIsRefusedWholeAndSetAsideNeverReplaced) {
  const std::string text = RecoveryText("/skins/a", Edited());
  std::string problem;
  ASSERT_TRUE(ParseRecoveryText(text, problem)) << problem;
  // Cut anywhere, or with anything after its end, it is not a copy.
  for (std::size_t length = 0; length < text.size(); ++length)
    EXPECT_FALSE(ParseRecoveryText(text.substr(0, length), problem)) << length;
  EXPECT_FALSE(ParseRecoveryText(text + "x", problem));
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"pen -32768", "pen -32769"},  // beyond the pen's 16 bits
           {"size 32767", "size 1e3"},    // not a whole number
           {"hand minute -2147483648 51", "hand minute -2147483648 52"},  // beyond 51 points
           {"bitmap 22", "bitmap 99"},  // a name longer than the copy
           {"-180,2147483647", "-180;2147483647"},
           {"QUARVEL skin recovery 1", "QUARVEL skin recovery 2"}}) {
    std::string damaged = text;
    ASSERT_NE(damaged.find(from), std::string::npos) << from;
    damaged.replace(damaged.find(from), from.size(), to);
    EXPECT_FALSE(ParseRecoveryText(damaged, problem)) << to;
    EXPECT_FALSE(problem.empty()) << to;
  }

  TempFolder state;
  const RecoveryStore store(state.path());
  const std::string path = store.PathFor("/skins/a");
  state.Write(RecoveryFileName("/skins/a"), text.substr(0, text.size() / 2));
  const RecoveryLookup found = store.Find("/skins/a");
  EXPECT_EQ(std::make_tuple(found.kind, found.problem.empty()),
            std::make_tuple(Kind::kUnreadable, false));
  store.Drop("/skins/a");
  EXPECT_EQ(FileBytes(path), text.substr(0, text.size() / 2));
  const std::string aside = store.SetAside("/skins/a");
  EXPECT_EQ(aside, path + ".unreadable");
  EXPECT_EQ(FileBytes(aside), text.substr(0, text.size() / 2));
  EXPECT_EQ(store.Find("/skins/a").kind, Kind::kNone);
  state.Write(RecoveryFileName("/skins/a"), "QUARVEL");
  EXPECT_EQ(store.SetAside("/skins/a"), path + "-2.unreadable");
  EXPECT_EQ(FileBytes(aside), text.substr(0, text.size() / 2));
}

TEST(RecoveryCopyTest, AnOversizeCopyIsRefusedUnreadAndKept) {
  TempFolder state;
  const RecoveryStore store(state.path());
  std::string huge = RecoveryText("/skins/a", Edited());
  huge.insert(huge.find("bitmap"), kMaxRecoveryBytes, ' ');
  state.Write(RecoveryFileName("/skins/a"), huge);
  const RecoveryLookup found = store.Find("/skins/a");
  EXPECT_EQ(found.kind, Kind::kUnreadable);
  EXPECT_NE(found.problem.find(RecoveryFileName("/skins/a")), std::string::npos) << found.problem;
  EXPECT_EQ(FileBytes(store.PathFor("/skins/a")), huge);
}

TEST(RecoveryCopyTest, TheStateFolderFollowsTheEnvironment) {
  EXPECT_EQ(PosixRecoveryFolder("/var/state", "/srv/u"), "/var/state/quarvel/recovery");
  for (const char* state : {"relative", static_cast<const char*>(nullptr)})
    EXPECT_EQ(PosixRecoveryFolder(state, "/srv/u"), "/srv/u/.local/state/quarvel/recovery");
  EXPECT_EQ(PosixRecoveryFolder("", ""), "");
  EXPECT_EQ(WindowsRecoveryFolder("C:\\Users\\u\\AppData\\Local"),
            "C:\\Users\\u\\AppData\\Local\\QUARVEL\\recovery");
  EXPECT_EQ(WindowsRecoveryFolder(nullptr), "");

  const RecoveryStore nowhere("");
  EXPECT_THROW(nowhere.Keep("/skins/a", Edited()), RuntimeError);
  EXPECT_EQ(nowhere.Find("/skins/a").kind, Kind::kNone);
}

TEST(RecoveryCopyTest, RestoredEditsAreUnsavedAndOneUndoFromTheSkinAsOpened) {
  SkinDocument opened;
  opened.penWidth = 2;
  SkinEditor editor(opened);
  ASSERT_TRUE(editor.Restore(Edited()));
  EXPECT_EQ(std::make_tuple(editor.document(), editor.HasUnsavedChanges()),
            std::make_tuple(Edited(), true));
  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(std::make_tuple(editor.document(), editor.HasUnsavedChanges()),
            std::make_tuple(opened, false));
}

}  // namespace
}  // namespace quarvel
