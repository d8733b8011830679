#include "core/desktop/system_watches.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace quarvel {

namespace {
sigset_t CloseSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);  // the system or a user's kill
  sigaddset(&signals, SIGHUP);   // the terminal it runs in closed
  sigaddset(&signals, SIGINT);   // Ctrl+C in that terminal
  return signals;
}
}  // namespace

CloseSignalWatch::CloseSignalWatch() {
  const sigset_t signals = CloseSignals();
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  fd_ = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
}

CloseSignalWatch::~CloseSignalWatch() {
  if (fd_ >= 0) close(fd_);
}

bool CloseSignalWatch::Take() {
  signalfd_siginfo info;
  bool came = false;
  while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) came = true;
  return came;
}

ClockSetWatch::ClockSetWatch() : fd_(timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK)) {
  Arm();
}

ClockSetWatch::~ClockSetWatch() {
  if (fd_ >= 0) close(fd_);
}

// A timer that never falls due but is cancelled whenever the real-time clock is set: the
// kernel's own word that the time of day jumped.
void ClockSetWatch::Arm() {
  if (fd_ < 0) return;
  itimerspec far{};
  clock_gettime(CLOCK_REALTIME, &far.it_value);
  far.it_value.tv_sec += 365 * 24 * 3600;
  timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr);
}

bool ClockSetWatch::Take() {
  uint64_t expirations = 0;
  const bool set = read(fd_, &expirations, sizeof expirations) < 0 && errno == ECANCELED;
  Arm();
  return set;
}

}  // namespace quarvel
