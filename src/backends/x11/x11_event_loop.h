#pragma once
// The X11 backend's one event loop: the X connection, the clock's timers, the signals that close
// the clock and the system clock being set, all in one poll(). Between them the process sleeps:
// the timeout is the time to the earliest armed timer, or the server's answer at that time
// wakes it (X11ServerAlarm), so the clock wakes once a second.
#include <X11/Xlib.h>

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "backends/x11/x11_display.h"
#include "backends/x11/x11_monotonic.h"
#include "backends/x11/x11_server_alarm.h"
#include "core/desktop/system_watches.h"
#include "platform/platform_window.h"
#include "platform/timer_table.h"

namespace quarvel {

// A window of ours that handles the X events sent to it.
class X11EventTarget {
 public:
  virtual ~X11EventTarget() = default;
  virtual void HandleEvent(XEvent& event) = 0;
};

class X11EventLoop {
 public:
  explicit X11EventLoop(X11Display& display);
  ~X11EventLoop();
  X11EventLoop(const X11EventLoop&) = delete;
  X11EventLoop& operator=(const X11EventLoop&) = delete;

  void Watch(Window window, X11EventTarget* target) { targets_[window] = target; }
  void Unwatch(Window window) { targets_.erase(window); }
  // Where timer ticks, close signals (SIGTERM, SIGHUP, SIGINT) and clock changes go.
  void SetEventSink(WindowEvents* events) { events_ = events; }
  // Runs when timers are about to be delivered after a wait, to send requests whose answers
  // the handlers will want (the pointer's place), so they come while the face is drawn.
  void BeforeTimers(std::function<void()> action) { beforeTimers_ = std::move(action); }

  // While a modal window is open, input to the other windows is dropped, as Windows disables
  // the windows a dialog or a task-modal message box belongs to. Modal windows nest.
  void PushModal(Window window) { modal_.push_back(window); }
  void PopModal() { modal_.pop_back(); }

  // Calls onExit with the wait status once the child process has ended (and reaps it).
  void WatchChild(pid_t pid, std::function<void(int status)> onExit);

  // Periodic timers by the clock's ids: each tick is due one interval after the last was due.
  void StartTimer(TimerId timer, int milliseconds);
  void StopTimer(TimerId timer);

  // The server's alarm, which wakes the loop when a timer falls due (see x11_server_alarm.h).
  X11ServerAlarm& alarm() { return alarm_; }

  // Handles what is pending, then waits up to `milliseconds` (-1: until something happens) and
  // handles what arrived meanwhile.
  void RunOnce(int milliseconds);
  // Handles events for `milliseconds` in all.
  void RunFor(int milliseconds);
  // A modal loop: handles events until `done` is true.
  void RunUntil(const bool& done);

 private:
  void HandleXEvents();
  void DeliverDueTimers();
  void HandleSignals();
  void HandleClockSet();
  int64_t EarliestDue() const;
  bool DroppedAsModal(const XEvent& event) const;
  void HandleChildren(const std::vector<bool>& ended);

  struct Child {
    pid_t pid;
    int pidFd;  // readable once the child has ended
    std::function<void(int)> onExit;
  };

  X11Display& display_;
  std::map<Window, X11EventTarget*> targets_;
  WindowEvents* events_ = nullptr;
  std::function<void()> beforeTimers_;
  TimerTable timers_{kNsPerMs};  // in MonotonicNs()
  std::vector<Window> modal_;
  std::vector<Child> children_;
  CloseSignalWatch closeSignals_;
  ClockSetWatch clockSet_;
  X11ServerAlarm alarm_;
};

}  // namespace quarvel
