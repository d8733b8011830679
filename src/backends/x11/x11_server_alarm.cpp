#include "backends/x11/x11_server_alarm.h"

#include <X11/Xlib-xcb.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "backends/x11/x11_monotonic.h"

namespace quarvel {

namespace {
// An answer this late means the server no longer keeps its word (or never will for this
// question): the clock stops asking and wakes itself.
constexpr int64_t kGiveUpNs = 2000 * kNsPerMs;

int64_t ToInt64(XSyncValue value) {
  return (static_cast<int64_t>(XSyncValueHigh32(value)) << 32) |
         static_cast<int64_t>(XSyncValueLow32(value));
}

XSyncValue FromInt64(int64_t number) {
  XSyncValue value;
  XSyncIntsToValue(&value, static_cast<unsigned int>(number & 0xFFFFFFFF),
                   static_cast<int>(number >> 32));
  return value;
}

// Waits until the counter has reached `value`.
void Await(Display* display, XSyncCounter counter, int64_t value) {
  XSyncWaitCondition condition{};
  condition.trigger.counter = counter;
  condition.trigger.value_type = XSyncAbsolute;
  condition.trigger.wait_value = FromInt64(value);
  condition.trigger.test_type = XSyncPositiveComparison;
  // No CounterNotify event: it would wake the clock once more.
  XSyncMaxValue(&condition.event_threshold);
  XSyncAwait(display, &condition, 1);
}

bool InitSync(Display* display) {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  return XSyncQueryExtension(display, &eventBase, &errorBase) != 0 &&
         XSyncInitialize(display, &major, &minor) != 0;
}
}  // namespace

// The server counts whole milliseconds and wakes for a wait once its count has reached it: one
// millisecond more than the due time's own, so the answer never comes before it.
int64_t ServerAlarmTargetMs(int64_t dueNs, int64_t offsetNs) {
  const int64_t serverNs = dueNs + offsetNs;
  const int64_t ms = serverNs / kNsPerMs - (serverNs % kNsPerMs < 0 ? 1 : 0);
  return ms + 1;
}

X11ServerAlarm::X11ServerAlarm(X11Display& display) : display_(display) {
  const char* name = DisplayString(display_.get());
  side_ = XOpenDisplay(name);
  if (side_ == nullptr) return;
  sideXcb_ = XGetXCBConnection(side_);
  fd_ = ConnectionNumber(side_);
  if (!InitSync(side_) || !InitSync(display_.get())) return;
  int count = 0;
  XSyncSystemCounter* counters = XSyncListSystemCounters(side_, &count);
  for (int i = 0; i < count; ++i)
    if (std::strcmp(counters[i].name, "SERVERTIME") == 0) serverTime_ = counters[i].counter;
  if (counters != nullptr) XSyncFreeSystemCounterList(counters);
  if (serverTime_ == 0) return;
  // Made and known to the server before the other connection names it.
  puts_ = XSyncCreateCounter(display_.get(), FromInt64(0));
  XSync(display_.get(), False);
  usable_ = puts_ != 0 && MeasureOffset();
}

X11ServerAlarm::~X11ServerAlarm() {
  if (puts_ != 0 && !display_.lost()) XSyncDestroyCounter(display_.get(), puts_);
  if (side_ != nullptr && !display_.lost()) XCloseDisplay(side_);
}

// One round trip: the server's count of milliseconds against the clock's, halfway through it.
bool X11ServerAlarm::MeasureOffset() {
  const int64_t before = MonotonicNs();
  XSyncValue value;
  if (XSyncQueryCounter(side_, serverTime_, &value) == 0) return false;
  const int64_t after = MonotonicNs();
  // The server's count was somewhere within its millisecond: its middle.
  offsetNs_ = ToInt64(value) * kNsPerMs + kNsPerMs / 2 - (before + after) / 2;
  measured_ = true;
  return true;
}

void X11ServerAlarm::GiveUp() {
  usable_ = false;
  asked_ = false;
  answer_.reset();
}

bool X11ServerAlarm::Ask(int64_t dueNs, int64_t nowNs) {
  if (!usable_ || display_.lost()) return false;
  if (asked_) {
    if (nowNs - askedDue_ > kGiveUpNs) GiveUp();
    return asked_ && askedDue_ == dueNs;
  }
  if (dueNs == earlyDue_ || !Wanted()) return false;
  if (!measured_ && !MeasureOffset()) {
    GiveUp();
    return false;
  }
  // First every picture marked so far, then the time; the pointer's place is the answer.
  if (putsMarked_ > 0) Await(side_, puts_, putsMarked_);
  Await(side_, serverTime_, ServerAlarmTargetMs(dueNs, offsetNs_));
  query_ = xcb_query_pointer(sideXcb_, static_cast<xcb_window_t>(display_.root()));
  xcb_flush(sideXcb_);
  asked_ = true;
  pointerWanted_ = false;
  askedDue_ = dueNs;
  askedMarks_ = putsMarked_;
  askedMark_ = lastMark_;
  return true;
}

void X11ServerAlarm::Read(int64_t nowNs) {
  if (!usable_) return;
  // An error: the server refused the wait.
  while (xcb_generic_event_t* event = xcb_poll_for_event(sideXcb_)) {
    if (event->response_type == 0) GiveUp();
    std::free(event);
  }
  if (!asked_ || xcb_connection_has_error(sideXcb_) != 0) {
    if (xcb_connection_has_error(sideXcb_) != 0) GiveUp();
    return;
  }
  xcb_query_pointer_reply_t* reply = nullptr;
  xcb_generic_error_t* error = nullptr;
  if (xcb_poll_for_reply(sideXcb_, query_.sequence, reinterpret_cast<void**>(&reply), &error) == 0)
    return;
  asked_ = false;
  if (askedMarks_ > 0) display_.NoteAnswered(askedMark_);
  provenMarks_ = std::max(provenMarks_, askedMarks_);
  if (reply != nullptr && nowNs >= askedDue_) {
    answer_ = Answer{reply->same_screen != 0, ScreenPoint{reply->root_x, reply->root_y}};
  } else if (reply != nullptr) {
    // Before its time: the clocks drifted apart (a server on another machine). The clock wakes
    // itself this once and measures again.
    earlyDue_ = askedDue_;
    measured_ = false;
  }
  std::free(reply);
  std::free(error);
}

std::optional<X11ServerAlarm::Answer> X11ServerAlarm::TakeAnswer() {
  std::optional<Answer> answer = answer_;
  answer_.reset();
  return answer;
}

void X11ServerAlarm::MarkPut() {
  if (!usable_ || display_.lost()) return;
  ++putsMarked_;
  XSyncSetCounter(display_.get(), puts_, FromInt64(putsMarked_));
  lastMark_ = display_.LastRequest();
}

}  // namespace quarvel
