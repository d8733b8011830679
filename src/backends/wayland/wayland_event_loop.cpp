#include "backends/wayland/wayland_event_loop.h"

#include <poll.h>
#include <sched.h>

#include <algorithm>
#include <ctime>
#include <optional>
#include <utility>

namespace quarvel {

int64_t MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
}

WaylandEventLoop::WaylandEventLoop(WaylandDisplay& display) : display_(display) {}

void WaylandEventLoop::StartTimer(TimerId timer, int milliseconds) {
  timers_.Start(timer, MonotonicMs(), milliseconds);
}

void WaylandEventLoop::WatchInput(int fd, std::function<void()> ready) {
  inputs_.push_back({fd, std::move(ready)});
}

void WaylandEventLoop::WatchDeadline(std::function<int64_t()> next,
                                     std::function<void(int64_t)> due) {
  deadlines_.push_back({std::move(next), std::move(due)});
}

void WaylandEventLoop::RunDueDeadlines() {
  const int64_t now = MonotonicMs();
  for (const Deadline& deadline : deadlines_)
    if (deadline.next() <= now) deadline.due(now);
}

void WaylandEventLoop::DeliverDueTimers() {
  if (events_ == nullptr) return;
  while (const std::optional<TimerId> due = timers_.TakeDue(MonotonicMs())) events_->OnTimer(*due);
}

void WaylandEventLoop::HandleSignals() {
  if (closeSignals_.Take() && events_ != nullptr) events_->OnUnload();
}

void WaylandEventLoop::HandleClockSet() {
  if (clockSet_.Take() && events_ != nullptr) events_->OnClockChanged();
}

void WaylandEventLoop::RunOnce(int milliseconds) {
  DeliverDueTimers();
  display_.DispatchPending();
  display_.Flush();
  const int64_t now = MonotonicMs();
  int64_t wake = milliseconds < 0 ? TimerTable::kNever : now + milliseconds;
  wake = std::min(wake, timers_.EarliestDue());
  for (const Deadline& deadline : deadlines_) wake = std::min(wake, deadline.next());
  const int timeout = wake == TimerTable::kNever
                          ? -1
                          : static_cast<int>(std::clamp<int64_t>(wake - now, 0, 1 << 30));
  std::vector<pollfd> fds{{display_.lost() ? -1 : display_.fd(), POLLIN, 0},
                          {closeSignals_.fd(), POLLIN, 0},
                          {clockSet_.fd(), POLLIN, 0}};
  for (const Input& input : inputs_) fds.push_back({input.fd, POLLIN, 0});
  if (poll(fds.data(), fds.size(), timeout) > 0) {
    if (fds[0].revents != 0) display_.ReadAndDispatch();  // a hang-up too: the session ends
    if ((fds[1].revents & POLLIN) != 0) HandleSignals();
    if ((fds[2].revents & POLLIN) != 0) HandleClockSet();
    for (std::size_t i = 0; i < inputs_.size(); ++i)
      if ((fds[3 + i].revents & POLLIN) != 0) inputs_[i].ready();
  }
  RunDueDeadlines();
  DeliverDueTimers();
  display_.Flush();
  if (std::exchange(promptReply_, false)) ReadPromptReply();
}

// The compositor, woken by the request, answers within its own time slice: the clock steps
// aside once for it, then reads the answer only if it is there, and never waits for it.
void WaylandEventLoop::ReadPromptReply() {
  if (display_.lost()) return;
  sched_yield();
  pollfd fd{display_.fd(), POLLIN, 0};
  if (poll(&fd, 1, 0) > 0 && fd.revents != 0) display_.ReadAndDispatch();
  display_.Flush();
}

void WaylandEventLoop::RunFor(int milliseconds) {
  const int64_t end = MonotonicMs() + milliseconds;
  do {
    RunOnce(static_cast<int>(std::max<int64_t>(end - MonotonicMs(), 0)));
  } while (MonotonicMs() < end);
}

}  // namespace quarvel
