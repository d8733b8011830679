#pragma once
// The X server as the clock's alarm. On a second connection of its own the clock asks the server
// to wait (the SYNC extension's Await on its SERVERTIME counter) until the next timer falls due
// and only then to say where the pointer is; that answer is what wakes the clock. It carries the
// pointer's place the pointer test reads after the redraw (asked for only once awake, the answer
// would mostly come while the clock draws, and the clock would sleep once more to wait for it),
// and the word that the server has handled every shared picture put before it (a SYNC counter
// the main connection sets after each), so shared memory is free again without a question on
// the main connection. Requests on the main connection never wait behind the alarm.
#include <X11/Xlib.h>
#include <X11/extensions/sync.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

#include "backends/x11/x11_display.h"
#include "platform/platform_types.h"

namespace quarvel {

// The server's millisecond to wait for, so that its answer comes at or just after `dueNs` on
// the clock's monotonic clock: `offsetNs` is the server's time less the clock's, in ns.
int64_t ServerAlarmTargetMs(int64_t dueNs, int64_t offsetNs);

class X11ServerAlarm {
 public:
  struct Answer {
    bool sameScreen = false;
    ScreenPoint point;
  };

  explicit X11ServerAlarm(X11Display& display);
  ~X11ServerAlarm();
  X11ServerAlarm(const X11ServerAlarm&) = delete;
  X11ServerAlarm& operator=(const X11ServerAlarm&) = delete;

  // No SYNC, no second connection, or the server stopped keeping its word: the clock wakes
  // itself, as before.
  bool usable() const { return usable_; }
  int fd() const { return fd_; }

  // The core read the pointer: it will want it at the next tick too.
  void WantPointer() { pointerWanted_ = true; }
  // Whether an answer is worth its requests: the core reads the pointer, or a shared picture
  // waits for the word that the server is done with it. Else the clock wakes itself.
  bool Wanted() const { return pointerWanted_ || putsMarked_ > provenMarks_; }

  // An answer for `dueNs`: asked for now, or already on its way. False when none is wanted,
  // when an answer for another time is still out (a connection answers in order) or one for
  // this time came early: the clock then wakes itself.
  bool Ask(int64_t dueNs, int64_t nowNs);
  // Reads what arrived; an answer that came on time is kept for the timers due now.
  void Read(int64_t nowNs);
  // The pointer as the server saw it when the timer fell due, once per answer.
  std::optional<Answer> TakeAnswer();
  bool HasAnswer() const { return answer_.has_value(); }
  // The answer not taken while its timers ran is stale once the clock sleeps again.
  void DropAnswer() { answer_.reset(); }

  // After a shared picture went out on the main connection: the next answer also says the
  // server has handled it.
  void MarkPut();

 private:
  bool MeasureOffset();
  void GiveUp();

  X11Display& display_;
  Display* side_ = nullptr;
  xcb_connection_t* sideXcb_ = nullptr;
  int fd_ = -1;
  bool usable_ = false;
  XSyncCounter serverTime_ = 0;
  XSyncCounter puts_ = 0;  // on the main connection: the number of the last picture marked
  int64_t putsMarked_ = 0;
  int64_t provenMarks_ = 0;  // the pictures the server said it is done with
  bool pointerWanted_ = false;
  unsigned int lastMark_ = 0;  // the main connection's request that set it
  int64_t offsetNs_ = 0;
  bool measured_ = false;

  // The question out, if any.
  bool asked_ = false;
  int64_t askedDue_ = 0;
  int64_t askedMarks_ = 0;
  unsigned int askedMark_ = 0;
  xcb_query_pointer_cookie_t query_{};
  int64_t earlyDue_ = -1;  // an answer for this time came before it: not asked again
  std::optional<Answer> answer_;
};

}  // namespace quarvel
