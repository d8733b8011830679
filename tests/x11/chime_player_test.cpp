// The hourly chime on Linux: which player plays it, with which file, and never two at once.
// The players are small scripts on a PATH of the test's own that write down how they were run.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "core/desktop/chime_player.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// <prefix>/bin with <prefix>/share/quarvel/chime.wav, and PATH put back at the end.
class ChimePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* path = std::getenv("PATH")) oldPath = path;
    fs::create_directories(root.path() + "/prefix/bin");
    fs::create_directories(root.path() + "/prefix/share/quarvel");
    sound = root.Write("prefix/share/quarvel/chime.wav", "RIFF");
    fs::create_directories(root.path() + "/first");
    fs::create_directories(root.path() + "/second");
    setenv("PATH", (root.path() + "/first:" + root.path() + "/second").c_str(), 1);
  }
  void TearDown() override {
    fs::remove(root.path() + "/release");  // no player waits past the test
    oldPath ? setenv("PATH", oldPath->c_str(), 1) : unsetenv("PATH");
  }
  // A player that writes "<its name> <arguments>" and its pid, and while `holds` plays on
  // until the test releases it (bounded, so none outlives a failed test by long).
  void Player(const std::string& folder, const std::string& name, bool holds = false) const {
    const std::string script =
        "#!/bin/sh\nPATH=/usr/bin:/bin\necho \"" + name + " $*\" >>\"" + root.path() +
        "/played\"\necho $$ >\"" + root.path() + "/pid\"\n" +
        (holds ? "touch \"" + root.path() + "/release\"\ni=0\nwhile [ -e \"" + root.path() +
                     "/release\" ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i+1)); done\n"
               : "");
    const std::string file = root.Write(folder + "/" + name, script);
    chmod(file.c_str(), 0755);
  }
  std::string Played() const { return root.Read("played"); }
  std::string Program() const { return root.path() + "/prefix/bin"; }
  // Bounded generously; ends as soon as it holds.
  template <typename Condition>
  static bool WaitFor(Condition condition) {
    for (int i = 0; i < 1000 && !condition(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
  }
  // The player has ended and waits only for its parent to reap it.
  bool PlayerEnded() const {
    const std::string pid = root.Read("pid");
    const std::string stat = testing::FileBytes("/proc/" + pid.substr(0, pid.find('\n')) + "/stat");
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && stat.compare(close + 2, 1, "Z") == 0;
  }

  TempFolder root;
  std::string sound;
  std::optional<std::string> oldPath;
};

TEST_F(ChimePlayerTest, TheFirstPlayerFoundPlaysTheInstalledChime) {
  EXPECT_EQ(InstalledChimePath(Program()), sound);
  Player("second", "aplay");
  Player("second", "paplay");
  Player("second", "pw-play");
  ChimePlayer chime;
  chime.Play(Program());
  ASSERT_TRUE(WaitFor([&] { return !Played().empty(); }));
  EXPECT_EQ(Played(), "pw-play " + sound + "\n");
}

TEST_F(ChimePlayerTest, PulseAudiosPlayerComesBeforeAlsasAndAlsaIsToldToBeQuiet) {
  Player("first", "aplay");
  Player("second", "paplay");
  ChimePlayer paplay;
  paplay.Play(Program());
  ASSERT_TRUE(WaitFor([&] { return !Played().empty(); }));
  EXPECT_EQ(Played(), "paplay " + sound + "\n");

  fs::remove(root.path() + "/second/paplay");
  fs::remove(root.path() + "/played");
  ChimePlayer aplay;
  aplay.Play(Program());
  ASSERT_TRUE(WaitFor([&] { return !Played().empty(); }));
  EXPECT_EQ(Played(), "aplay -q " + sound + "\n");
}

TEST_F(ChimePlayerTest, NoSecondChimeWhileTheFirstPlaysAndTheNextAfterIt) {
  Player("first", "paplay", /*holds=*/true);
  ChimePlayer chime;
  chime.Play(Program());
  ASSERT_TRUE(WaitFor([&] { return fs::exists(root.path() + "/release"); }));
  chime.Play(Program());
  chime.Play(Program());
  fs::remove(root.path() + "/release");
  ASSERT_TRUE(WaitFor([&] { return PlayerEnded(); }));
  EXPECT_EQ(Played(), "paplay " + sound + "\n");

  chime.Play(Program());  // reaps the first, and plays again
  ASSERT_TRUE(WaitFor([&] { return Played() == "paplay " + sound + "\npaplay " + sound + "\n"; }))
      << Played();
}

TEST_F(ChimePlayerTest, WithoutAPlayerOrWithoutTheSoundNothingHappens) {
  ChimePlayer chime;
  chime.Play(Program());  // no player on PATH
  unsetenv("PATH");
  chime.Play(Program());
  setenv("PATH", (root.path() + "/first").c_str(), 1);
  Player("first", "paplay");
  fs::remove(sound);
  chime.Play(Program());
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // time for a wrong start to show
  EXPECT_EQ(Played(), "");
}

}  // namespace
}  // namespace quarvel
