#include "backends/headless/headless_window.h"

#include <algorithm>

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
  // The screen keeps what was presented before and takes only the part said to have changed.
  if (screen_.width != face.width || screen_.height != face.height)
    screen_ = {face.width, face.height, std::vector<Pixel>(face.pixels.size())};
  for (std::size_t row = 0; row < changed.rows.size(); ++row) {
    const auto y = static_cast<std::size_t>(changed.box.top) + row;
    const auto from = y * static_cast<std::size_t>(face.width);
    std::copy(face.pixels.begin() + static_cast<std::ptrdiff_t>(from + changed.rows[row].left),
              face.pixels.begin() + static_cast<std::ptrdiff_t>(from + changed.rows[row].right),
              screen_.pixels.begin() + static_cast<std::ptrdiff_t>(from + changed.rows[row].left));
  }
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
