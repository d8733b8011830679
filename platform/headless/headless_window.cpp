#include "platform/headless/headless_window.h"

#include <utility>

#include "runtime/checked_math.h"

namespace quarvel {

namespace {
int ToPixels(float twips, float factor) {
  return Round32(static_cast<double>(twips) / factor);
}
}  // namespace

HeadlessWindow::HeadlessWindow(float twipsPerPixelX, float twipsPerPixelY)
    : fx_(twipsPerPixelX),
      fy_(twipsPerPixelY),
      surface_(ToPixels(kDesignedWidthTwips, twipsPerPixelX),
               ToPixels(kDesignedHeightTwips, twipsPerPixelY)),
      measuringWidth_(static_cast<float>(ToPixels(kDesignedPictureWidthTwips, twipsPerPixelX))) {}

void HeadlessWindow::LoadBackgroundPicture(const std::string& path) {
  surface_.SetBackgroundPicture(LoadImageFile(path));  // raises before anything changes
}

void HeadlessWindow::LoadMeasuringPicture(const std::string& path) {
  measuringWidth_ = static_cast<float>(LoadImageFile(path).width);
}

void HeadlessWindow::SetLeftTwips(float twips) {
  const int x = ToPixels(twips, fx_);
  if (x >= refuseLeftOf_) left_ = x;
}

void HeadlessWindow::SetTopTwips(float twips) {
  top_ = ToPixels(twips, fy_);
}

void HeadlessWindow::SetWidthTwips(float twips) {
  surface_.Resize(ToPixels(twips, fx_), surface_.pixels().height);
}

void HeadlessWindow::SetHeightTwips(float twips) {
  surface_.Resize(surface_.pixels().width, ToPixels(twips, fy_));
}

void HeadlessWindow::SetTopmostLayer(bool topmost) {
  topmost_ = topmost;
  shown_ = true;  // the layer call also shows the window
}

void HeadlessWindow::BeginSystemDrag() {
  ++drags_;
  left_ = dragLeft_;
  top_ = dragTop_;
}

void HeadlessWindow::SetTimerInterval(TimerId timer, int milliseconds) {
  intervals_[Index(timer)] = milliseconds;
}

void HeadlessWindow::SetTimerEnabled(TimerId timer, bool enabled) {
  enabled_[Index(timer)] = enabled;
}

bool HeadlessWindow::TimerEnabled(TimerId timer) const {
  return enabled_[Index(timer)];
}

int HeadlessWindow::TimerInterval(TimerId timer) const {
  return intervals_[Index(timer)];
}

bool HeadlessWindow::Tick(TimerId timer) {
  if (!TimerEnabled(timer) || events_ == nullptr) return false;
  events_->OnTimer(timer);
  return true;
}

}  // namespace quarvel
