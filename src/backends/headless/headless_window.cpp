#include "backends/headless/headless_window.h"

#include "runtime/system_errors.h"

namespace quarvel {

void HeadlessWindow::MoveTo(int32_t left, int32_t top) {
  if (left >= refuseLeftOf_) place_ = {left, top};
}

void HeadlessWindow::Resize(int32_t width, int32_t height) {
  width_ = width;
  height_ = height;
}

void HeadlessWindow::SetLayer(WindowLayer layer) {
  layer_ = layer;
  shown_ = true;  // the layer call also shows the window
}

void HeadlessWindow::BeginSystemDrag() {
  ++drags_;
  place_ = dragDestination_;
}

void HeadlessWindow::Present(const PixelImage& face, const ImageRect& changed) {
  PresentPart(face, WholeRows(changed));
}

void HeadlessWindow::PresentPart(const PixelImage& face, const ChangedPart& changed) {
  presented_ = face;
  presentedChange_ = changed.box;
  presentedRows_ = changed.rows;
  ++presents_;
}

void HeadlessWindow::StartTimer(TimerId timer, int milliseconds) {
  if (timersFail_) throw SystemCallFailure("Headless", "StartTimer", 8);
  timers_.Start(timer, Elapsed(), milliseconds);
  ++timerStarts_;
}

bool HeadlessWindow::Tick(TimerId timer) {
  if (!timers_.Running(timer) || events_ == nullptr) return false;
  timers_.CountFrom(timer, Elapsed());
  events_->OnTimer(timer);
  return true;
}

int HeadlessWindow::RunFor(int64_t milliseconds) {
  if (time_ == nullptr) return 0;
  const int64_t end = Elapsed() + milliseconds;
  int delivered = 0;
  while (events_ != nullptr && timers_.EarliestDue() <= end) {
    if (timers_.EarliestDue() > Elapsed()) time_->Advance(timers_.EarliestDue() - Elapsed());
    const std::optional<TimerId> due = timers_.TakeDue(Elapsed());
    if (!due) break;
    events_->OnTimer(*due);
    ++delivered;
  }
  if (end > Elapsed()) time_->Advance(end - Elapsed());
  return delivered;
}

}  // namespace quarvel
