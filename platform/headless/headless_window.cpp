#include "platform/headless/headless_window.h"

#include <utility>

namespace quarvel {

void HeadlessWindow::LoadBackgroundPicture(const std::string& path) {
  HeadlessImage picture = LoadImageFile(path);  // raises before anything changes
  pictureWidth_ = picture.width;
  surface_.SetBackgroundPicture(std::move(picture));
}

void HeadlessWindow::SetTimerInterval(TimerId timer, int milliseconds) {
  intervals_[Index(timer)] = milliseconds;
}

void HeadlessWindow::SetTimerEnabled(TimerId timer, bool enabled) { enabled_[Index(timer)] = enabled; }

bool HeadlessWindow::TimerEnabled(TimerId timer) const { return enabled_[Index(timer)]; }

int HeadlessWindow::TimerInterval(TimerId timer) const { return intervals_[Index(timer)]; }

bool HeadlessWindow::Tick(TimerId timer) {
  if (!TimerEnabled(timer) || events_ == nullptr) return false;
  events_->OnTimer(timer);
  return true;
}

}  // namespace quarvel
