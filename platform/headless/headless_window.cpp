#include "platform/headless/headless_window.h"

namespace quarvel {

void HeadlessWindow::MoveTo(int32_t left, int32_t top) {
  if (left >= refuseLeftOf_) place_ = {left, top};
}

void HeadlessWindow::Resize(int32_t width, int32_t height) {
  width_ = width;
  height_ = height;
}

void HeadlessWindow::SetTopmostLayer(bool topmost) {
  topmost_ = topmost;
  shown_ = true;  // the layer call also shows the window
}

void HeadlessWindow::BeginSystemDrag() {
  ++drags_;
  place_ = dragDestination_;
}

void HeadlessWindow::Present(const PixelImage& face) {
  presented_ = face;
  ++presents_;
}

void HeadlessWindow::StartTimer(TimerId timer, int milliseconds) {
  timers_[Index(timer)] = Timer{true, milliseconds, Elapsed() + milliseconds};
  ++timerStarts_;
}

bool HeadlessWindow::Tick(TimerId timer) {
  Timer& t = timers_[Index(timer)];
  if (!t.armed || events_ == nullptr) return false;
  t.due = Elapsed() + t.interval;  // a periodic timer counts on from its tick
  events_->OnTimer(timer);
  return true;
}

int HeadlessWindow::RunFor(int64_t milliseconds) {
  if (time_ == nullptr) return 0;
  const int64_t end = Elapsed() + milliseconds;
  int delivered = 0;
  for (;;) {
    // The running timer that falls due first; on a tie the lower number, as a fixed order.
    Timer* next = nullptr;
    TimerId nextId = TimerId::kTimer1;
    for (std::size_t i = 0; i < timers_.size(); ++i)
      if (timers_[i].armed && timers_[i].due <= end &&
          (next == nullptr || timers_[i].due < next->due)) {
        next = &timers_[i];
        nextId = static_cast<TimerId>(i + 1);
      }
    if (next == nullptr) break;
    if (next->due > Elapsed()) time_->Advance(next->due - Elapsed());
    Tick(nextId);
    ++delivered;
  }
  if (end > Elapsed()) time_->Advance(end - Elapsed());
  return delivered;
}

}  // namespace quarvel
