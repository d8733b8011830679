#pragma once
// What every Linux event loop watches beside its window system, each as a descriptor to poll:
// the signals that close the clock (SIGTERM, SIGHUP, SIGINT), which then arrive as data rather
// than in a handler that could interrupt a redraw or a save; and the system clock being set.
namespace quarvel {

class CloseSignalWatch {
 public:
  // Blocks the signals for the process (programs it starts unblock them again).
  CloseSignalWatch();
  ~CloseSignalWatch();
  CloseSignalWatch(const CloseSignalWatch&) = delete;
  CloseSignalWatch& operator=(const CloseSignalWatch&) = delete;
  int fd() const { return fd_; }
  // True when a close signal came since the last call.
  bool Take();

 private:
  int fd_ = -1;
};

class ClockSetWatch {
 public:
  ClockSetWatch();
  ~ClockSetWatch();
  ClockSetWatch(const ClockSetWatch&) = delete;
  ClockSetWatch& operator=(const ClockSetWatch&) = delete;
  int fd() const { return fd_; }
  // True when the time of day was set since the last call; watches on either way.
  bool Take();

 private:
  void Arm();
  int fd_ = -1;
};

}  // namespace quarvel
