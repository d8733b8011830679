// The Linux clock's conventions that need no display: the folder it works in, and where it
// looks for the programs it starts.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "desktop/programs.h"
#include "desktop/work_folder.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// A program folder as installed (<prefix>/bin beside <prefix>/share/quarvel), a home, and the
// environment and working directory put back afterwards.
class LinuxFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root.path() + "/prefix/bin");
    fs::create_directories(root.path() + "/prefix/share/quarvel");
    for (const char* name : {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp", "readme.txt"})
      root.Write(std::string("prefix/share/quarvel/") + name, name);
    fs::create_directories(root.path() + "/home");
    oldHome = Get("HOME");
    oldConfig = Get("XDG_CONFIG_HOME");
    oldPath = Get("PATH");
    setenv("HOME", (root.path() + "/home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    fs::current_path(root.path() + "/home");
  }
  void TearDown() override {
    fs::current_path(oldCwd);
    Put("HOME", oldHome);
    Put("XDG_CONFIG_HOME", oldConfig);
    Put("PATH", oldPath);
  }
  static std::string Get(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "\x01";
  }
  static void Put(const char* name, const std::string& value) {
    if (value == "\x01")
      unsetenv(name);
    else
      setenv(name, value.c_str(), 1);
  }
  std::string Program() const { return root.path() + "/prefix/bin"; }
  void Executable(const std::string& path) const {
    root.Write(path, "#!/bin/sh\n");
    chmod((root.path() + "/" + path).c_str(), 0755);
  }

  TempFolder root;
  fs::path oldCwd = fs::current_path();
  std::string oldHome, oldConfig, oldPath;
};

TEST_F(LinuxFilesTest, AFolderWithASkinIsWhereTheClockWorks) {
  root.Write("home/tan.sin", "mine");
  const X11WorkFolder work = EnterWorkFolder(Program());
  EXPECT_FALSE(work.configFolder);
  EXPECT_EQ(fs::current_path(), fs::path(root.path() + "/home"));
  EXPECT_FALSE(fs::exists(root.path() + "/home/.config"));
}

TEST_F(LinuxFilesTest, ElsewhereTheConfigFolderIsFilledOnceWithTheDefaultSkin) {
  const X11WorkFolder work = EnterWorkFolder(Program());
  const std::string config = root.path() + "/home/.config/quarvel";
  EXPECT_TRUE(work.configFolder);
  EXPECT_EQ(fs::current_path(), fs::path(config));
  EXPECT_EQ(root.Read("home/.config/quarvel/qv.bmp"), "qv.bmp");
  EXPECT_EQ(root.Read("home/.config/quarvel/readme.txt"), "readme.txt");
  // The user's own skin stays, and a file taken away is not brought back.
  root.Write("home/.config/quarvel/tyou.sin", "mine");
  fs::remove(config + "/qv.bmp");
  fs::current_path(root.path() + "/home");
  EnterWorkFolder(Program());
  EXPECT_EQ(root.Read("home/.config/quarvel/tyou.sin"), "mine");
  EXPECT_FALSE(fs::exists(config + "/qv.bmp"));
}

TEST_F(LinuxFilesTest, TheUsersOwnFaceAndReadmeInANewConfigFolderStay) {
  fs::create_directories(root.path() + "/home/.config/quarvel");
  root.Write("home/.config/quarvel/qv.bmp", "my face");
  root.Write("home/.config/quarvel/readme.txt", "my notes");
  EXPECT_TRUE(EnterWorkFolder(Program()).configFolder);
  EXPECT_EQ(root.Read("home/.config/quarvel/tan.sin"), "tan.sin");  // the hands came
  EXPECT_EQ(root.Read("home/.config/quarvel/qv.bmp"), "my face");
  EXPECT_EQ(root.Read("home/.config/quarvel/readme.txt"), "my notes");
}

TEST_F(LinuxFilesTest, XdgConfigHomeCountsOnlyAsAnAbsolutePath) {
  setenv("XDG_CONFIG_HOME", (root.path() + "/xdg").c_str(), 1);
  EXPECT_EQ(EnterWorkFolder(Program()).path, root.path() + "/xdg/quarvel");
  fs::current_path(root.path() + "/home");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(EnterWorkFolder(Program()).path, root.path() + "/home/.config/quarvel");
}

TEST_F(LinuxFilesTest, ProgramsComeFromTheProgramsFolderOrAbsolutePathFoldersOnly) {
  Executable("home/qvedit");  // in the working directory: never run
  setenv("PATH", (":.:home:" + root.path() + "/bin").c_str(), 1);
  EXPECT_EQ(FindProgram(Program(), "qvedit"), "");
  fs::create_directories(root.path() + "/bin");
  Executable("bin/qvedit");
  EXPECT_EQ(FindProgram(Program(), "qvedit"), root.path() + "/bin/qvedit");
  Executable("prefix/bin/qvedit");
  EXPECT_EQ(FindProgram(Program(), "qvedit"), Program() + "/qvedit");
}

}  // namespace
}  // namespace quarvel
