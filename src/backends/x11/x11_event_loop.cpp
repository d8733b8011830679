#include "backends/x11/x11_event_loop.h"

#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <limits>
#include <optional>

namespace quarvel {

namespace {
constexpr int64_t kForever = std::numeric_limits<int64_t>::max();
// How long past a timer's due time the loop waits for the server's answer before it wakes on
// its own: well within the second tick's tolerance.
constexpr int64_t kAlarmGraceNs = 10 * kNsPerMs;
}  // namespace

X11EventLoop::X11EventLoop(X11Display& display) : display_(display), alarm_(display) {}

X11EventLoop::~X11EventLoop() {
  for (const Child& child : children_) close(child.pidFd);
}

void X11EventLoop::StartTimer(TimerId timer, int milliseconds) {
  timers_.Start(timer, MonotonicNs(), milliseconds);
}

void X11EventLoop::StopTimer(TimerId timer) {
  timers_.Stop(timer);
}

int64_t X11EventLoop::EarliestDue() const {
  return timers_.EarliestDue();
}

void X11EventLoop::WatchChild(pid_t pid, std::function<void(int status)> onExit) {
  // NOTE: glibc 2.36's <sys/pidfd.h> declares pidfd_open without C linkage, so a C++ program
  // can't link against it; the system call itself is the same.
  const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  if (pidFd < 0) return;  // already reaped, or a kernel before 5.3: nobody to tell
  children_.push_back({pid, pidFd, std::move(onExit)});
}

void X11EventLoop::HandleChildren(const std::vector<bool>& ended) {
  std::vector<Child> done;
  for (std::size_t i = ended.size(); i-- > 0;)
    if (ended[i]) {
      done.push_back(std::move(children_[i]));
      children_.erase(children_.begin() + static_cast<long>(i));
    }
  for (Child& child : done) {
    int status = 0;
    const bool reaped = waitpid(child.pid, &status, WNOHANG) == child.pid;
    close(child.pidFd);
    if (reaped && child.onExit) child.onExit(status);
  }
}

bool X11EventLoop::DroppedAsModal(const XEvent& event) const {
  if (modal_.empty() || event.xany.window == modal_.back()) return false;
  switch (event.type) {
    case KeyPress:
    case KeyRelease:
    case ButtonPress:
    case ButtonRelease:
    case MotionNotify:
      return true;
    default:
      return false;
  }
}

void X11EventLoop::HandleXEvents() {
  Display* display = display_.get();
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == KeyPress || event.type == ButtonPress)
      display_.NoteUserTime(event.type == KeyPress ? event.xkey.time : event.xbutton.time);
    if (DroppedAsModal(event)) continue;
    auto target = targets_.find(event.xany.window);
    if (target != targets_.end()) target->second->HandleEvent(event);
  }
}

// In due order; a tick due again meanwhile (the handler took longer than the interval) is
// merged into one, as Windows merges late timer ticks (TimerTable).
void X11EventLoop::DeliverDueTimers() {
  if (events_ == nullptr) return;
  if (beforeTimers_ && EarliestDue() <= MonotonicNs()) beforeTimers_();
  while (const std::optional<TimerId> due = timers_.TakeDue(MonotonicNs())) events_->OnTimer(*due);
}

void X11EventLoop::HandleSignals() {
  if (closeSignals_.Take() && events_ != nullptr) events_->OnUnload();
}

void X11EventLoop::HandleClockSet() {
  if (clockSet_.Take() && events_ != nullptr) events_->OnClockChanged();
}

// Reads the X socket only when it has something, or to look once before sleeping: a read that
// finds nothing costs a system call, and the clock wakes for little else.
void X11EventLoop::RunOnce(int milliseconds) {
  DeliverDueTimers();
  const int64_t now = MonotonicNs();
  int64_t wakeNs = milliseconds < 0 ? kForever : now + milliseconds * kNsPerMs;
  const int64_t limitNs = wakeNs;
  if (EarliestDue() < wakeNs) wakeNs = EarliestDue();
  // The answer not taken by the timers just delivered is stale by the time the loop wakes.
  alarm_.DropAnswer();
  if (wakeNs == EarliestDue() && wakeNs != kForever && alarm_.Ask(wakeNs, now))
    wakeNs = std::min(wakeNs + kAlarmGraceNs, limitNs);
  // Events read with a reply wait in a queue, not in the socket: they would not wake the poll.
  bool xEvents = XEventsQueued(display_.get(), QueuedAfterFlush) > 0;
  if (!xEvents) {
    timespec timeout{};
    if (wakeNs != kForever && wakeNs > now) {
      timeout.tv_sec = static_cast<time_t>((wakeNs - now) / 1000000000);
      timeout.tv_nsec = static_cast<long>((wakeNs - now) % 1000000000);
    }
    std::vector<pollfd> fds{{display_.fd(), POLLIN, 0},
                            {closeSignals_.fd(), POLLIN, 0},
                            {clockSet_.fd(), POLLIN, 0},
                            {alarm_.usable() ? alarm_.fd() : -1, POLLIN, 0}};
    for (const Child& child : children_) fds.push_back({child.pidFd, POLLIN, 0});
    if (ppoll(fds.data(), fds.size(), wakeNs == kForever ? nullptr : &timeout, nullptr) > 0) {
      xEvents = fds[0].revents != 0;  // hang-up too: reading it ends the session
      if ((fds[1].revents & POLLIN) != 0) HandleSignals();
      if ((fds[2].revents & POLLIN) != 0) HandleClockSet();
      if (fds[3].revents != 0) alarm_.Read(MonotonicNs());
      std::vector<bool> ended(children_.size());
      for (std::size_t i = 0; i < children_.size(); ++i) ended[i] = fds[4 + i].revents != 0;
      HandleChildren(ended);
    }
  }
  if (xEvents) HandleXEvents();
  DeliverDueTimers();
}

void X11EventLoop::RunFor(int milliseconds) {
  const int64_t end = MonotonicNs() + static_cast<int64_t>(milliseconds) * kNsPerMs;
  do {
    const int64_t left = (end - MonotonicNs()) / kNsPerMs;
    RunOnce(left > 0 ? static_cast<int>(left) : 0);
  } while (MonotonicNs() < end);
}

void X11EventLoop::RunUntil(const bool& done) {
  while (!done) RunOnce(-1);
}

}  // namespace quarvel
