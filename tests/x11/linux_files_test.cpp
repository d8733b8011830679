// The Linux clock's folder and where it looks for the programs it starts, with no display.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/desktop/programs.h"
#include "core/desktop/work_folder.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// An environment variable, put back as it was when this goes.
struct SavedVariable {
  explicit SavedVariable(const char* variable) : name(variable) {
    if (const char* value = std::getenv(variable)) was = value;
  }
  ~SavedVariable() { was ? setenv(name, was->c_str(), 1) : unsetenv(name); }
  const char* name;
  std::optional<std::string> was;
};

// <prefix>/bin beside <prefix>/share/quarvel, and a home; environment and folder put back.
class LinuxFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root.path() + "/prefix/bin");
    fs::create_directories(root.path() + "/prefix/share/quarvel");
    for (const char* name : {"tyou.sin", "tan.sin", "byou.sin", "qv.bmp", "readme.txt"})
      root.Write(std::string("prefix/share/quarvel/") + name, name);
    fs::create_directories(root.path() + "/home");
    setenv("HOME", (root.path() + "/home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    fs::current_path(root.path() + "/home");
  }
  void TearDown() override { fs::current_path(oldCwd); }
  std::string Program() const { return root.path() + "/prefix/bin"; }
  // A start of the clock from the home folder.
  WorkFolder Start() const {
    fs::current_path(root.path() + "/home");
    return EnterWorkFolder(Program());
  }
  std::string InConfig(const std::string& name) const { return root.Read(kConfig + name); }
  void Executable(const std::string& path) const {
    root.Write(path, "#!/bin/sh\n");
    chmod((root.path() + "/" + path).c_str(), 0755);
  }

  static constexpr const char* kConfig = "home/.config/quarvel/";
  TempFolder root;
  const std::string config = root.path() + "/home/.config/quarvel";
  fs::path oldCwd = fs::current_path();
  SavedVariable home{"HOME"}, configHome{"XDG_CONFIG_HOME"}, searchPath{"PATH"};
};

TEST_F(LinuxFilesTest, AFolderWithASkinIsWhereTheClockWorks) {
  root.Write("home/tan.sin", "mine");
  EXPECT_FALSE(Start().configFolder);
  EXPECT_EQ(fs::current_path(), fs::path(root.path() + "/home"));
  EXPECT_FALSE(fs::exists(root.path() + "/home/.config"));
}

TEST_F(LinuxFilesTest, ElsewhereTheConfigFolderIsFilledOnceWithTheDefaultSkin) {
  EXPECT_TRUE(Start().configFolder);
  EXPECT_EQ(fs::current_path(), fs::path(config));
  EXPECT_EQ(std::make_tuple(InConfig("qv.bmp"), InConfig("readme.txt")),
            std::make_tuple("qv.bmp", "readme.txt"));
  // The user's own skin stays, and a file taken away is not brought back.
  root.Write(kConfig + std::string("tyou.sin"), "mine");
  fs::remove(config + "/qv.bmp");
  Start();
  EXPECT_EQ(InConfig("tyou.sin"), "mine");
  EXPECT_FALSE(fs::exists(config + "/qv.bmp"));
}

TEST_F(LinuxFilesTest, TheUsersOwnFaceAndReadmeInANewConfigFolderStay) {
  fs::create_directories(config);
  root.Write(kConfig + std::string("qv.bmp"), "my face");
  root.Write(kConfig + std::string("readme.txt"), "my notes");
  EXPECT_TRUE(Start().configFolder);
  EXPECT_EQ(std::make_tuple(InConfig("tan.sin"), InConfig("qv.bmp"), InConfig("readme.txt")),
            std::make_tuple("tan.sin", "my face", "my notes"));  // the hands came
}

TEST(DefaultFileAction, OnlyAMissingFileDuringAFillOrACutCopyOfTheDefaultIsOurs) {
  const std::string face = "BM the default face";
  using enum DefaultFileAction;
  EXPECT_EQ(ChooseDefaultFileAction(std::nullopt, face, true), kCreate);
  EXPECT_EQ(ChooseDefaultFileAction(std::nullopt, face, false), kKeep);  // taken away
  for (bool filling : {true, false}) {
    EXPECT_EQ(ChooseDefaultFileAction("", face, filling), kRepair);
    EXPECT_EQ(ChooseDefaultFileAction("BM the def", face, filling), kRepair);
    EXPECT_EQ(ChooseDefaultFileAction(face, face, filling), kKeep);
    EXPECT_EQ(ChooseDefaultFileAction("BM my face", face, filling), kKeep);
    EXPECT_EQ(ChooseDefaultFileAction(face + " and more", face, filling), kKeep);
  }
  EXPECT_EQ(ChooseDefaultFileAction("", "", true), kKeep);  // an empty default is whole
}

TEST_F(LinuxFilesTest, ACutFaceAndAnEmptyReadmeFromAnEarlierStartAreMadeWhole) {
  root.Write("prefix/share/quarvel/qv.bmp", std::string(5000, 'f'));
  fs::create_directories(config);
  for (const std::string name : {"tyou.sin", "tan.sin", "byou.sin"})
    root.Write(kConfig + name, name);
  root.Write(kConfig + std::string("qv.bmp"), std::string(1234, 'f'));  // where the disk ran out
  root.Write(kConfig + std::string("readme.txt"), "");
  EXPECT_TRUE(Start().problem.empty());
  EXPECT_EQ(std::make_tuple(InConfig("qv.bmp"), InConfig("readme.txt")),
            std::make_tuple(std::string(5000, 'f'), std::string("readme.txt")));
  // The user's own files are never taken for cut ones: longer, different, or a link.
  root.Write(kConfig + std::string("qv.bmp"), std::string(4999, 'f') + "g");
  fs::remove(config + "/readme.txt");
  fs::create_symlink(root.Write("notes.txt", "read"), config + "/readme.txt");
  Start();
  EXPECT_EQ(InConfig("qv.bmp"), std::string(4999, 'f') + "g");
  EXPECT_TRUE(fs::is_symlink(config + "/readme.txt"));
  EXPECT_EQ(root.Read("notes.txt"), "read");
}

TEST_F(LinuxFilesTest, AFillThatFailsLeavesNoCutFileAndSaysWhyAndTheNextStartFinishesIt) {
  // The face can't be read from share: the fill stops there, before any hand file.
  fs::remove(root.path() + "/prefix/share/quarvel/qv.bmp");
  fs::create_directory(root.path() + "/prefix/share/quarvel/qv.bmp");
  const WorkFolder failed = Start();
  EXPECT_TRUE(failed.configFolder);
  EXPECT_NE(failed.problem.find("qv.bmp"), std::string::npos) << failed.problem;
  EXPECT_NE(failed.problem.find(root.path() + "/prefix/share/quarvel"), std::string::npos);
  for (const char* name : {"qv.bmp", "tyou.sin", "tan.sin", "byou.sin"})
    EXPECT_FALSE(fs::exists(config + "/" + name)) << name;
  EXPECT_EQ(InConfig("readme.txt"), "readme.txt");
  fs::remove(root.path() + "/prefix/share/quarvel/qv.bmp");
  root.Write("prefix/share/quarvel/qv.bmp", "qv.bmp");
  EXPECT_TRUE(Start().problem.empty());
  for (const char* name : {"qv.bmp", "tyou.sin", "tan.sin", "byou.sin"})
    EXPECT_EQ(InConfig(name), name);
  // Nothing but the skin is left behind: no temporary file.
  int files = 0;
  for (const auto& entry : fs::directory_iterator(config)) files += entry.is_regular_file();
  EXPECT_EQ(files, 5);
  // A complete folder needs no default skin.
  fs::remove_all(root.path() + "/prefix/share");
  EXPECT_EQ(Start().problem, "");
}

TEST_F(LinuxFilesTest, AConfigFolderThatCantBeMadeIsAProblemToReport) {
  root.Write("home/.config", "a file where the folder would be");
  const WorkFolder work = Start();
  EXPECT_FALSE(work.configFolder);
  EXPECT_NE(work.problem.find(config + " can't be made"), std::string::npos) << work.problem;
}

TEST_F(LinuxFilesTest, XdgConfigHomeCountsOnlyAsAnAbsolutePath) {
  setenv("XDG_CONFIG_HOME", (root.path() + "/xdg").c_str(), 1);
  EXPECT_EQ(Start().path, root.path() + "/xdg/quarvel");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(Start().path, config);
  setenv("HOME", "relative", 1);  // no config folder at all: the clock works where it is
  EXPECT_FALSE(Start().configFolder);
}

TEST_F(LinuxFilesTest, ReadmeOpensTheSkinFoldersOwnElseTheInstalledOne) {
  const std::string skin = root.path() + "/home";
  EXPECT_EQ(ReadmeToOpen(skin, Program()), "readme.txt");  // nothing anywhere: reported
  fs::create_directories(root.path() + "/prefix/share/doc/quarvel");
  const std::string installed = root.Write("prefix/share/doc/quarvel/readme.txt", "installed");
  EXPECT_EQ(ReadmeToOpen(skin, Program()), installed);
  root.Write("home/readme.txt", "the skin's readme");
  EXPECT_EQ(ReadmeToOpen(skin, Program()), "readme.txt");
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

// The editor opens on the clock's own display (Qt told so), the rest passed on as it was.
TEST_F(LinuxFilesTest, AStartedProgramGetsTheSettingsOverItsInheritedEnvironment) {
  setenv("QT_QPA_PLATFORM", "wayland", 1);
  setenv("QUARVEL_TEST_KEPT", "kept", 1);
  setenv("QUARVEL_TEST_GONE", "inherited", 1);
  setenv("QUARVEL_TEST_GONE_NOT", "kept too", 1);
  const std::string out = root.path() + "/env.txt";
  const pid_t pid =
      SpawnProgram("/bin/sh",
                   {"-c",
                    "echo \"$QT_QPA_PLATFORM $QUARVEL_TEST_KEPT ${QUARVEL_TEST_GONE-unset} "
                    "$QUARVEL_TEST_GONE_NOT\" >" +
                        out},
                   {"QT_QPA_PLATFORM=xcb", "QUARVEL_TEST_GONE"});
  ASSERT_GT(pid, 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_EQ(root.Read("env.txt"), "xcb kept unset kept too\n");
  for (const char* name :
       {"QT_QPA_PLATFORM", "QUARVEL_TEST_KEPT", "QUARVEL_TEST_GONE", "QUARVEL_TEST_GONE_NOT"})
    unsetenv(name);
}

}  // namespace
}  // namespace quarvel
