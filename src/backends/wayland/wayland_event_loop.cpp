#include "backends/wayland/wayland_event_loop.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>

namespace quarvel {

namespace {
int64_t MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
}

sigset_t CloseSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);  // the system or a user's kill
  sigaddset(&signals, SIGHUP);   // the terminal it runs in closed
  sigaddset(&signals, SIGINT);   // Ctrl+C in that terminal
  return signals;
}
}  // namespace

WaylandEventLoop::WaylandEventLoop(WaylandDisplay& display) : display_(display) {
  // The close signals arrive as data in the poll, not in a handler that could interrupt the
  // clock half-way through a redraw or a save. Programs the clock starts unblock them again.
  const sigset_t signals = CloseSignals();
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  signalFd_ = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
  clockSetFd_ = timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
  ArmClockSetWatch();
}

WaylandEventLoop::~WaylandEventLoop() {
  if (signalFd_ >= 0) close(signalFd_);
  if (clockSetFd_ >= 0) close(clockSetFd_);
}

// A timer that never falls due but is cancelled whenever the real-time clock is set: the
// kernel's own word that the time of day jumped.
void WaylandEventLoop::ArmClockSetWatch() {
  if (clockSetFd_ < 0) return;
  itimerspec far{};
  clock_gettime(CLOCK_REALTIME, &far.it_value);
  far.it_value.tv_sec += 365 * 24 * 3600;
  timerfd_settime(clockSetFd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr);
}

void WaylandEventLoop::StartTimer(TimerId timer, int milliseconds) {
  timers_.Start(timer, MonotonicMs(), milliseconds);
}

void WaylandEventLoop::DeliverDueTimers() {
  if (events_ == nullptr) return;
  while (const std::optional<TimerId> due = timers_.TakeDue(MonotonicMs())) events_->OnTimer(*due);
}

void WaylandEventLoop::HandleSignals() {
  signalfd_siginfo info;
  bool closeRequested = false;
  while (read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
    closeRequested = true;
  if (closeRequested && events_ != nullptr) events_->OnUnload();
}

void WaylandEventLoop::HandleClockSet() {
  uint64_t expirations = 0;
  const bool set = read(clockSetFd_, &expirations, sizeof expirations) < 0 && errno == ECANCELED;
  ArmClockSetWatch();
  if (set && events_ != nullptr) events_->OnClockChanged();
}

void WaylandEventLoop::RunOnce(int milliseconds) {
  DeliverDueTimers();
  display_.DispatchPending();
  display_.Flush();
  const int64_t now = MonotonicMs();
  int64_t wake = milliseconds < 0 ? TimerTable::kNever : now + milliseconds;
  wake = std::min(wake, timers_.EarliestDue());
  const int timeout = wake == TimerTable::kNever
                          ? -1
                          : static_cast<int>(std::clamp<int64_t>(wake - now, 0, 1 << 30));
  pollfd fds[] = {{display_.lost() ? -1 : display_.fd(), POLLIN, 0},
                  {signalFd_, POLLIN, 0},
                  {clockSetFd_, POLLIN, 0}};
  if (poll(fds, 3, timeout) > 0) {
    if (fds[0].revents != 0) display_.ReadAndDispatch();  // a hang-up too: the session ends
    if ((fds[1].revents & POLLIN) != 0) HandleSignals();
    if ((fds[2].revents & POLLIN) != 0) HandleClockSet();
  }
  DeliverDueTimers();
  display_.Flush();
}

void WaylandEventLoop::RunFor(int milliseconds) {
  const int64_t end = MonotonicMs() + milliseconds;
  do {
    RunOnce(static_cast<int>(std::max<int64_t>(end - MonotonicMs(), 0)));
  } while (MonotonicMs() < end);
}

}  // namespace quarvel
