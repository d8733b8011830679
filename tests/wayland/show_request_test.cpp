// A second start asks the running clock to show itself through a socket named by its process
// id; the hand-over's program gets the activation token and no X11 start-up id.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "backends/wayland/wayland_activation.h"
#include "backends/wayland/wayland_show_request.h"

namespace quarvel {
namespace {

TEST(ShowRequestTest, TheSocketIsNamedByTheProcessInTheRuntimeFolder) {
  EXPECT_EQ(ShowSocketPath("/run/user/1000", 4242), "/run/user/1000/quarvel-4242.show");
  EXPECT_EQ(ShowSocketPath(nullptr, 4242), "");
  EXPECT_EQ(ShowSocketPath("relative", 4242), "");
  EXPECT_EQ(ShowSocketPath(("/" + std::string(120, 'r')).c_str(), 4242), "")
      << "too long for a socket's address";
}

class ShowRequestSocketTest : public ::testing::Test {
 protected:
  std::string folder = [] {
    char name[] = "/tmp/quarvel-show-XXXXXX";
    return std::string(mkdtemp(name));
  }();
  std::string path = ShowSocketPath(folder.c_str(), 77);
  void TearDown() override {
    unlink(path.c_str());
    rmdir(folder.c_str());
  }
  // Asks in another thread while this one answers, as the two clocks do.
  bool AskAndAnswer(ShowRequests& clock, const std::string& caption, bool shows,
                    std::string& asked) {
    bool shown = false;
    std::thread second([&] { shown = AskClockToShow(path, caption, 5000); });
    while (asked.empty() && clock.fd() >= 0) {
      clock.Answer([&](const std::string& wanted) {
        asked = wanted;
        return wanted == "QUARVEL" && shows;
      });
      usleep(1000);
    }
    second.join();
    return shown;
  }
};

TEST_F(ShowRequestSocketTest, TheRunningClockAnswersForItsOwnCaptionWhenItShowed) {
  std::string asked;
  {
    ShowRequests clock(path);
    ASSERT_GE(clock.fd(), 0);
    EXPECT_TRUE(AskAndAnswer(clock, "QUARVEL", true, asked));
    EXPECT_EQ(asked, "QUARVEL");
    asked.clear();
    EXPECT_FALSE(AskAndAnswer(clock, "qvs", true, asked)) << "another window's caption";
    asked.clear();
    EXPECT_FALSE(AskAndAnswer(clock, "QUARVEL", false, asked)) << "a clock with nothing shown";
  }
  EXPECT_FALSE(AskClockToShow(path, "QUARVEL", 100)) << "the clock ended";
  EXPECT_FALSE(AskClockToShow(ShowSocketPath(folder.c_str(), 78), "QUARVEL", 100))
      << "no clock of that process";
}

TEST_F(ShowRequestSocketTest, AClockStartsListeningWhereACrashedOneLeftItsSocket) {
  { ShowRequests crashed(path); }
  ASSERT_EQ(symlink("/nonexistent", path.c_str()), 0);  // anything left at the name
  ShowRequests clock(path);
  ASSERT_GE(clock.fd(), 0);
  std::string asked;
  EXPECT_TRUE(AskAndAnswer(clock, "QUARVEL", true, asked));
}

TEST(ActivationSettingsTest, TheStartedProgramGetsTheTokenAndNoStartUpIdOfTheClocksOwn) {
  EXPECT_EQ(ActivationSettings(std::string("t0k3n")),
            (std::vector<std::string>{"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN=t0k3n"}));
  EXPECT_EQ(ActivationSettings(std::nullopt),
            (std::vector<std::string>{"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"}))
      << "without a token, none the clock was started with either";
}

}  // namespace
}  // namespace quarvel
