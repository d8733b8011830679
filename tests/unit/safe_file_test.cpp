// Saving and reading in a folder someone else may have prepared: planted links and files, a
// linked settings.ini, special files and huge files in place of ours, saves racing each other.
#include "runtime/safe_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/skin/bmp_decoder.h"
#include "core/skin/face_picture.h"
#include "core/skin/hand_shapes.h"
#include "core/skin/settings_file.h"
#include "core/skineditor/hand_file.h"
#include "core/skineditor/skin_files.h"
#include "runtime/stale_temps.h"
#include "test_support.h"

namespace quarvel {
namespace {

using testing::ErrorOf;
using testing::ReportOf;
using testing::TempFolder;
namespace fs = std::filesystem;

const std::string kData = QUARVEL_DATA_DIR;
constexpr const char* kSaved = "10,20\r\n 1 \r\nqv.bmp\r\n 3 \r\n";

ClockState SavedState() {
  ClockState s;
  s.windowLeft = 10, s.windowTop = 20, s.topmost = false, s.notTopmost = 1, s.lineWidth = 3,
  s.bitmapPath = "qv.bmp";
  return s;
}

bool IsLink(const std::string& path) {
  return fs::is_symlink(fs::symlink_status(path));
}

// Whether `check`, run in a child process, passed within `seconds`: a blocked read fails.
bool PassesWithin(int seconds, const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(check() ? 0 : 1);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      ADD_FAILURE() << "still reading after " << seconds << " s";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The clock's save and the editor's, which checks every file before it writes any.
TEST(SafeSave, APlantedLinkOrFileAtTheOldTemporaryNameIsNeitherFollowedNorMoved) {
  for (const bool plantLink : {true, false}) {
    SCOPED_TRACE(plantLink ? "planted link" : "planted file");
    TempFolder folder;
    folder.CopyIn(kData, {"tyou.sin", "tan.sin", "byou.sin"});
    const std::string victim = folder.Write("victim.txt", "precious\n");
    folder.Write("settings.ini", "1,2\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
    for (const std::string planted : {"/settings.ini.new", "/tyou.sin.new"}) {
      if (plantLink)
        fs::create_symlink(victim, folder.path() + planted);
      else
        folder.Write(planted, "planted\n");
    }
    FileSlot slot(folder.path());
    WriteSettingsFile(slot, SavedState());
    EXPECT_EQ(folder.Read("settings.ini"), kSaved);
    SkinDocument document = OpenSkin(slot).document;
    document.hand(HandId::kMinute).color = 255;
    const SaveOutcome outcome = SaveSkin(slot, document, 200);
    EXPECT_TRUE(outcome.saved) << outcome.message;
    EXPECT_EQ(folder.Read("tyou.sin"), HandFileText(document.hand(HandId::kMinute)));
    EXPECT_EQ(folder.Read("victim.txt"), "precious\n");
    for (const std::string name : {"settings.ini", "tyou.sin"}) {
      EXPECT_FALSE(IsLink(folder.path() + "/" + name));
      EXPECT_EQ(IsLink(folder.path() + "/" + name + ".new"), plantLink);
      EXPECT_EQ(folder.Read(name + ".new"), plantLink ? "precious\n" : "planted\n");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 7)
        << "no temporary file is left behind";
  }
}

TEST(SafeSave, ALinkedFileStaysALinkItsTargetTakesTheContentAndModeAndOwnerAreKept) {
  TempFolder folder;
  fs::create_directory(folder.path() + "/dotfiles");
  const std::string real = folder.Write("dotfiles/settings.ini", "old\r\n");
  // A relative link, through a second link, as dotfile managers make them.
  fs::create_symlink("dotfiles/settings.ini", folder.path() + "/middle.ini");
  fs::create_symlink("middle.ini", folder.path() + "/settings.ini");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(real.c_str(), 65534, 65534), 0);
  }
  FileSlot slot(folder.path());
  WriteSettingsFile(slot, SavedState());
  EXPECT_TRUE(IsLink(folder.path() + "/settings.ini"));
  EXPECT_TRUE(IsLink(folder.path() + "/middle.ini"));
  EXPECT_EQ(folder.Read("dotfiles/settings.ini"), kSaved);
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, 65534u);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() + "/dotfiles"), {}), 1);

  // A link to a file not there yet: the file is made where the link points.
  fs::create_symlink("dotfiles/new.ini", folder.path() + "/dangling.ini");
  slot.ReplaceWithText("dangling.ini", "made\r\n");
  EXPECT_TRUE(IsLink(folder.path() + "/dangling.ini"));
  EXPECT_EQ(folder.Read("dotfiles/new.ini"), "made\r\n");
}

TEST(SafeSave, AWritableFileInAFolderThatTakesNoNewFilesIsRewrittenInPlace) {
  TempFolder folder;
  fs::create_directory(folder.path() + "/locked");
  const std::string file = folder.Write("locked/settings.ini", "a much longer old content\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod((folder.path() + "/locked").c_str(), 0555), 0);
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  // As root the folder's mode would not stop us: save as nobody instead.
  EXPECT_TRUE(PassesWithin(20, [&] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return false;
    FileSlot slot(folder.path() + "/locked");
    return ErrorOf([&] { WriteSettingsFile(slot, SavedState()); }) == 0;
  }));
  EXPECT_EQ(folder.Read("locked/settings.ini"), kSaved);
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  ::chmod((folder.path() + "/locked").c_str(), 0755);
}

TEST(SafeSave, SavesRacingInOneFolderNeverFail) {
  TempFolder folder;
  std::atomic<int> failures{0};
  std::vector<std::thread> clocks;
  for (int t = 0; t < 4; ++t) {
    clocks.emplace_back([&] {
      FileSlot slot(folder.path());
      for (int i = 0; i < 150; ++i)
        if (ErrorOf([&] { WriteSettingsFile(slot, SavedState()); }) != 0) ++failures;
    });
  }
  for (std::thread& clock : clocks) clock.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(folder.Read("settings.ini"), kSaved);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
}

constexpr uid_t kNobody = 65534;
constexpr uid_t kDaemon = 1;

// Linux's fs.protected_symlinks rule, kept whatever the system's setting; needs root to run.
TEST(SafeSave, ALinkAnotherUserPlantedInASharedStickyFolderIsRefusedTheUsersOwnIsFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "making another user's link needs root";
  TempFolder base;
  ASSERT_EQ(::chmod(base.path().c_str(), 0755), 0);
  const std::string shared = base.path() + "/shared";
  const std::string victim = base.Write("victim.txt", "precious\n");
  ASSERT_EQ(::chmod(victim.c_str(), 0666), 0);
  const std::string link = shared + "/settings.ini";
  // The save's error number in that folder as the user `as` (in a child process unless root).
  auto saveThrough = [&](mode_t folderMode, uid_t folderOwner, uid_t linkOwner, uid_t as) {
    fs::remove_all(shared);
    fs::create_directory(shared);
    EXPECT_EQ(::chown(shared.c_str(), folderOwner, folderOwner), 0);
    EXPECT_EQ(::chmod(shared.c_str(), folderMode), 0);
    fs::create_symlink(victim, link);
    EXPECT_EQ(::lchown(link.c_str(), linkOwner, linkOwner), 0);
    base.Write("victim.txt", "precious\n");
    const auto save = [&] {
      FileSlot slot(shared);
      const int checked = ErrorOf([&] { slot.CheckReplaceable(kSettingsFile); });
      const int saved = ErrorOf([&] { WriteSettingsFile(slot, SavedState()); });
      return checked == saved ? saved : -1;
    };
    if (as == 0) return save();
    const pid_t child = ::fork();
    if (child == 0) ::_exit(::setgid(as) == 0 && ::setuid(as) == 0 ? save() : 99);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
  };

  ASSERT_EQ(::chown(victim.c_str(), kNobody, kNobody), 0);
  // Refused: another user's link in a sticky folder anyone writes to (error 70); followed: the
  // user's own link, the folder owner's, a folder that is not sticky or only its owner writes to.
  const struct {
    const char* what;
    mode_t folderMode;
    uid_t folderOwner, linkOwner, as;
    int error;
  } cases[] = {{"root's save, nobody's link in root's /tmp-like folder", 01777, 0, kNobody, 0, 70},
               {"a plain user's save, another plain user's link", 01777, 0, kDaemon, kNobody, 70},
               {"root's own link", 01777, 0, 0, 0, 0},
               {"a plain user's own link", 01777, 0, kNobody, kNobody, 0},
               {"the folder owner's link", 01777, kNobody, kNobody, 0, 0},
               {"a folder that is not sticky", 0777, 0, kNobody, 0, 0},
               {"a sticky folder only its owner writes to", 01775, 0, kNobody, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(saveThrough(c.folderMode, c.folderOwner, c.linkOwner, c.as), c.error);
    EXPECT_TRUE(IsLink(link));
    EXPECT_EQ(base.Read("victim.txt"), c.error ? "precious\n" : kSaved);
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), {}), 1) << "nothing left beside it";
  }
  saveThrough(01777, 0, kNobody, 0);
  EXPECT_EQ(ReportOf([&] { SafeReplace(link, "x", "settings.ini"); }),
            "Run-time error 70: Permission denied (settings.ini, a link of another user in a "
            "shared folder: not followed)");
  EXPECT_EQ(base.Read("victim.txt"), "precious\n");
}

// Leaves a file (or a link itself) last written that long ago.
void Age(const std::string& path, std::chrono::seconds age) {
  const timespec then{::time(nullptr) - age.count(), 0};
  const timespec times[2] = {then, then};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// Not another name, a link, a folder, another user's file, nor one a running save may write.
TEST(SafeSave, TemporariesKilledSavesLeftAreRemovedAtTheNextSaveAndNothingElse) {
  using std::chrono::minutes;
  TempFolder folder;
  const std::string stale = folder.Write(".qvabcdefgh12.tmp", "cut");
  Age(stale, kStaleTempAge + minutes(1));
  const std::string kept[] = {folder.Write(".qvabcdefgh13.tmp", "a save still running"),
                              folder.Write(".qvABCDEFGH12.tmp", "not our name"),
                              folder.Write(".qvabcdefg12.tmp", "one letter short"),
                              folder.Write("x.qvabcdefgh12.tmp", "not our name"),
                              folder.Write(".qvabcdefgh12.tmp.bak", "not our name"),
                              folder.Write(".qvabcdefgh_2.tmp", "not our letters")};
  Age(kept[0], kStaleTempAge - minutes(5));
  for (std::size_t i = 1; i < std::size(kept); ++i) Age(kept[i], kStaleTempAge * 2);
  const std::string link = folder.path() + "/.qvabcdefgh14.tmp";
  fs::create_symlink(kept[0], link);
  Age(link, kStaleTempAge * 2);
  const std::string sub = folder.path() + "/.qvabcdefgh15.tmp";
  fs::create_directory(sub);
  Age(sub, kStaleTempAge * 2);
  std::string othersFile;
  if (::geteuid() == 0) {
    othersFile = folder.Write(".qvabcdefgh16.tmp", "another user's");
    ASSERT_EQ(::chown(othersFile.c_str(), kNobody, kNobody), 0);
    Age(othersFile, kStaleTempAge * 2);
  }

  FileSlot slot(folder.path());
  WriteSettingsFile(slot, SavedState());
  EXPECT_FALSE(fs::exists(stale));
  for (const std::string& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_TRUE(IsLink(link));
  EXPECT_TRUE(fs::is_directory(sub));
  if (!othersFile.empty()) {
    EXPECT_TRUE(fs::exists(othersFile));
  }
  EXPECT_EQ(folder.Read("settings.ini"), kSaved);

  // A new file's save (the editor's face, the config folder's fill) cleans up too.
  const std::string another = folder.Write(".qv0123456789.tmp", "cut");
  Age(another, kStaleTempAge * 2);
  EXPECT_TRUE(SafeCreate(folder.path() + "/new.bmp", "whole", "new.bmp"));
  EXPECT_FALSE(fs::exists(another));
}

TEST(BoundedRead, ASpecialFileAsSettingsHandFileOrFaceIsNeitherReadNorReplacedNorWaitedOn) {
  // Something that is no file of ours, under the name of one.
  const std::pair<const char*, std::function<void(const std::string&)>> kinds[] = {
      {"FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
      {"link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
      {"folder", [](const std::string& p) { fs::create_directory(p); }},
  };
  for (const auto& [what, make] : kinds) {
    SCOPED_TRACE(what);
    TempFolder folder;
    for (const char* name : {"settings.ini", "tyou.sin", "face.bmp"})
      make(folder.path() + "/" + name);
    EXPECT_TRUE(PassesWithin(10, [&] {
      FileSlot slot(folder.path());
      ClockState s;
      const SavedPosition saved = ReadSettingsValues(slot, s);
      ColorRef color = 0;
      HandShape shape;
      return saved.left == 0 && s.lineWidth == kDefaultLineWidth &&
             ErrorOf([&] { slot.OpenForInput(kSettingsFile); }) == 75 &&
             ErrorOf([&] { LoadHandShape(slot, "tyou.sin", color, shape); }) == 75 &&
             ErrorOf([&] { LoadFacePicture(folder.path() + "/face.bmp", "face.bmp"); }) == 75;
    }));
    const std::string path = folder.path() + "/settings.ini";
    if (fs::is_symlink(path)) {  // a fault must not replace the machine's own /dev/zero
      fs::remove(path);
      ASSERT_EQ(::mkfifo((folder.path() + "/fifo").c_str(), 0644), 0);
      fs::create_symlink(folder.path() + "/fifo", path);
    }
    const auto type = fs::symlink_status(path).type();
    EXPECT_EQ(ErrorOf([&] { SafeReplace(path, "bytes", "out"); }), 75);
    EXPECT_EQ(fs::symlink_status(path).type(), type);
  }
}

// What this process has read so far, as the kernel counts it (rchar in /proc/self/io).
int64_t BytesReadSoFar() {
  std::ifstream io("/proc/self/io");
  std::string name;
  int64_t value = 0;
  while (io >> name >> value)
    if (name == "rchar:") return value;
  return -1;
}

TEST(BoundedRead, AnOversizeFileIsRefusedUnread) {
  TempFolder folder;
  // One byte over a mebibyte of settings that would otherwise read well.
  std::string big = "5,6\r\n 1 \r\nqv.bmp\r\n 4 \r\n";
  big.resize(kMaxDataFileBytes + 1, ' ');
  folder.Write("settings.ini", big);
  folder.Write("tyou.sin", big);
  FileSlot slot(folder.path());
  ClockState s;
  EXPECT_EQ(ReadSettingsValues(slot, s).left, 0);
  EXPECT_EQ(s.lineWidth, kDefaultLineWidth);
  ColorRef color = 0;
  HandShape shape;
  EXPECT_EQ(ErrorOf([&] { LoadHandShape(slot, "tyou.sin", color, shape); }), 75);
  // Reported as too large, with the limit, not as a broken disk.
  EXPECT_EQ(ReportOf([&] { LoadHandShape(slot, "tyou.sin", color, shape); }),
            "Run-time error 75: Path/File access error (tyou.sin, too large: 1048577 bytes, the "
            "limit is 1 MiB)");
  big.resize(kMaxDataFileBytes);
  folder.Write("settings.ini", big);
  EXPECT_EQ(ReadSettingsValues(slot, s).left, 5) << "a mebibyte is still read";

  // A face bigger than the decoder takes: a sparse file, so only reading it would cost.
  const std::string face = folder.Write("face.bmp", "BM");
  fs::resize_file(face, kMaxBmpFileBytes + 1);
  const int64_t readBefore = BytesReadSoFar();
  EXPECT_EQ(ErrorOf([&] { LoadFacePicture(face, "face.bmp"); }), 481);
  EXPECT_EQ(ReportOf([&] { LoadFacePicture(face, "face.bmp"); }),
            "Run-time error 481: Invalid picture (face.bmp, too large: 1074790401 bytes, the "
            "limit is 1025 MiB)");
  EXPECT_LT(BytesReadSoFar() - readBefore, 1 << 20) << "the oversize face was read";
}

TEST(SafeCreate, MakesAWholeFileOnlyWhereNothingHasTheName) {
  TempFolder folder;
  const std::string path = folder.path() + "/qv.bmp";
  EXPECT_TRUE(SafeCreate(path, "whole", "qv.bmp"));
  EXPECT_EQ(folder.Read("qv.bmp"), "whole");
  EXPECT_FALSE(SafeCreate(path, "other", "qv.bmp"));  // a file, the user's now
  EXPECT_EQ(folder.Read("qv.bmp"), "whole");
  fs::create_symlink(folder.path() + "/victim", folder.path() + "/link");  // dangling
  EXPECT_FALSE(SafeCreate(folder.path() + "/link", "other", "link"));
  EXPECT_FALSE(fs::exists(folder.path() + "/victim"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2);  // no temporary left
  EXPECT_EQ(ErrorOf([&] { SafeCreate(folder.path() + "/none/x", "x", "x"); }), 75);
}

}  // namespace
}  // namespace quarvel
