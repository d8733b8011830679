#pragma once
// The Wayland backend's one event loop: the compositor's socket, the clock's timers, the signals
// that close the clock and the system clock being set, all in one poll(). Between them the
// process sleeps: the poll's timeout is the time to the earliest armed timer, so an idle clock
// wakes once a second, and asks the compositor for no frame callbacks.
#include <cstdint>
#include <functional>
#include <vector>

#include "backends/wayland/wayland_display.h"
#include "core/desktop/system_watches.h"
#include "platform/platform_window.h"
#include "platform/timer_table.h"

namespace quarvel {

// Milliseconds of CLOCK_MONOTONIC, the loop's time.
int64_t MonotonicMs();

class WaylandEventLoop {
 public:
  explicit WaylandEventLoop(WaylandDisplay& display);
  WaylandEventLoop(const WaylandEventLoop&) = delete;
  WaylandEventLoop& operator=(const WaylandEventLoop&) = delete;

  // Where timer ticks, close signals (SIGTERM, SIGHUP, SIGINT) and clock changes go.
  void SetEventSink(WindowEvents* events) { events_ = events; }

  // A request just sent is answered at once (a committed buffer, released as soon as the
  // compositor has copied it): the answer is read before the loop sleeps, in the same wake-up.
  void ExpectPromptReply() { promptReply_ = true; }

  void StartTimer(TimerId timer, int milliseconds);
  void StopTimer(TimerId timer) { timers_.Stop(timer); }

  // The backend's own: a descriptor whose input `ready` takes; a time (`next`, TimerTable::kNever
  // for none) when `due` runs, asked again after each turn so that nothing wakes the loop
  // while nothing is due.
  void WatchInput(int fd, std::function<void()> ready);
  void WatchDeadline(std::function<int64_t()> next, std::function<void(int64_t now)> due);

  // Handles what is pending, then waits up to `milliseconds` (-1: until something happens) and
  // handles what arrived meanwhile.
  void RunOnce(int milliseconds);
  // Handles events for `milliseconds` in all.
  void RunFor(int milliseconds);

 private:
  void DeliverDueTimers();
  void HandleSignals();
  void HandleClockSet();
  void ReadPromptReply();
  void RunDueDeadlines();

  WaylandDisplay& display_;
  WindowEvents* events_ = nullptr;
  TimerTable timers_;  // in milliseconds of CLOCK_MONOTONIC
  CloseSignalWatch closeSignals_;
  ClockSetWatch clockSet_;
  bool promptReply_ = false;
  struct Input {
    int fd;
    std::function<void()> ready;
  };
  struct Deadline {
    std::function<int64_t()> next;
    std::function<void(int64_t)> due;
  };
  std::vector<Input> inputs_;
  std::vector<Deadline> deadlines_;
};

}  // namespace quarvel
