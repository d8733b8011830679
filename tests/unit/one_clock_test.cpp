// One clock per settings file: a second start in the folder of a running clock brings that
// clock to the front and ends quietly; a lock left by a killed clock stops nothing.
#include "core/clockwindow/one_clock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "clock_fixture.h"
#include "platform/process_lock.h"

namespace quarvel {
namespace {

const auto kSelf = static_cast<uint32_t>(getpid());

class OneClockTest : public testing::ClockFixture {
 protected:
  // The clock as each program starts it: the claim, then (only then) the window and Load.
  bool StartClaimed(const std::string& settings) {
    if (!ClaimSettingsFolder(system, slot)) return false;
    Start(settings);
    system.ShowClockWindowOf(kSelf, "QUARVEL");
    return true;
  }
  // Without the clock's own blanks: a file the clock wrote would have them.
  const std::string kSettings = "300,100\r\n0\r\nqv.bmp\r\n2\r\n";
};

TEST_F(OneClockTest, ASecondStartActivatesTheRunningClockAndTouchesNothing) {
  ASSERT_TRUE(StartClaimed(kSettings));
  EXPECT_EQ(work.Read(kLockFile), std::to_string(kSelf) + "\n");

  // The second process, with a fresh program folder: it would show the first-run dialog.
  testing::TempFolder otherProgramDir;
  HeadlessSystem second(otherProgramDir.path());
  second.ShowClockWindowOf(kSelf, "QUARVEL");
  EXPECT_FALSE(ClaimSettingsFolder(second, slot));
  EXPECT_EQ(second.activatedClocks(), std::vector<uint32_t>{kSelf});
  EXPECT_EQ(std::make_tuple(second.dialogsShown(), second.messages().size(), second.waited()),
            std::make_tuple(0, 0u, 0));  // at once
  EXPECT_EQ(work.Read("settings.ini"), kSettings);

  // The running clock is the one that writes, at its close; then the folder is free again.
  EXPECT_EQ(SavedOnClose(), "300,100\r\n 0 \r\nqv.bmp\r\n 2 \r\n");
  EXPECT_TRUE(ClaimSettingsFolder(second, slot));
}

TEST_F(OneClockTest, AClockStillStartingIsWaitedForThenOnlyNamed) {
  ASSERT_TRUE(ClaimSettingsFolder(system, slot));  // in its first-run dialog: no window yet
  HeadlessSystem second(programDir.path());
  second.WhileEventsPass([&] {
    if (second.waited() == 500) second.ShowClockWindowOf(kSelf, "QUARVEL");
  });
  EXPECT_FALSE(ClaimSettingsFolder(second, slot));
  EXPECT_EQ(std::make_tuple(second.waited(), second.activatedClocks()),
            std::make_tuple(500, std::vector<uint32_t>{kSelf}));

  HeadlessSystem third(programDir.path());  // a clock whose window never comes
  EXPECT_FALSE(ClaimSettingsFolder(third, slot));
  EXPECT_EQ(third.waited(), kFindRunningClockMs);
  ASSERT_EQ(third.messages().size(), 1u);
  EXPECT_NE(third.messages()[0].find("already running in this folder (process " +
                                     std::to_string(kSelf) + ")"),
            std::string::npos)
      << third.messages()[0];

  HeadlessSystem fourth(programDir.path());  // the first one ends while the fourth looks
  fourth.WhileEventsPass([&] { system.EndProcess(0); });
  EXPECT_TRUE(ClaimSettingsFolder(fourth, slot));
  EXPECT_TRUE(fourth.messages().empty());
}

TEST_F(OneClockTest, ALockLeftByAKilledClockStopsNothing) {
  const std::string lockFile = work.path() + "/" + kLockFile;
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // a clock that holds the folder, then is killed
    const bool held = LockFileForProcess(lockFile).lock.state == ProcessLock::State::kHeld;
    if (write(ready[1], held ? "y" : "n", 1) != 1) _exit(2);
    pause();
    _exit(0);
  }
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  EXPECT_EQ(answer, 'y');
  const LockedFile meanwhile = LockFileForProcess(lockFile);
  EXPECT_EQ(std::make_tuple(meanwhile.lock.state, meanwhile.lock.holder),
            std::make_tuple(ProcessLock::State::kHeldElsewhere, static_cast<uint32_t>(child)));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  EXPECT_EQ(work.Read(kLockFile), std::to_string(child) + "\n");  // left behind

  EXPECT_TRUE(StartClaimed(kSettings));
  EXPECT_EQ(std::make_tuple(system.messages().size(), system.waited(), window.shown()),
            std::make_tuple(0u, 0, true));
  EXPECT_EQ(work.Read(kLockFile), std::to_string(kSelf) + "\n");
}

// A lock file that can't be made (its folder is missing) never keeps a clock from starting.
TEST_F(OneClockTest, ALockThatCantBeTakenStopsNothing) {
  const FileSlot nowhere(work.path() + "/missing");
  EXPECT_TRUE(ClaimSettingsFolder(system, nowhere));
  HeadlessSystem second(programDir.path());
  EXPECT_TRUE(ClaimSettingsFolder(second, nowhere));
  EXPECT_EQ(std::make_tuple(second.messages().size(), second.waited()), std::make_tuple(0u, 0));
}

}  // namespace
}  // namespace quarvel
