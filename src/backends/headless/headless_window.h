#pragma once
// The in-memory clock window: real state (place, size, region, layer, the face it shows,
// timers, shown) and no screen. Tests deliver its events by hand, or let its timers run on a
// HeadlessClock's time.
#include <cstdint>
#include <limits>

#include "backends/headless/headless_clock.h"
#include "platform/platform_window.h"
#include "platform/timer_table.h"

namespace quarvel {

class HeadlessWindow final : public PlatformWindow {
 public:
  // Without a clock the timers only run when a test ticks them.
  explicit HeadlessWindow(HeadlessClock* time = nullptr) : time_(time) {}

  // PlatformWindow
  void SetEventSink(WindowEvents* events) override { events_ = events; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void SetScreenSettling(bool settling) override { screenSettling_ = settling; }
  void MoveTo(int32_t left, int32_t top) override;
  ScreenPoint Position() const override { return place_; }
  void Resize(int32_t width, int32_t height) override;
  void SetRoundRegion(int32_t diameter) override { regionDiameter_ = diameter; }
  void SetLayer(WindowLayer layer) override;
  void SetOpacity(int percent) override { opacity_ = percent; }
  void SetOnAllWorkspaces(bool all) override { allWorkspaces_ = all; }
  void Show() override { shown_ = true; }
  // The window system's move loop: the window lands where the test said the drag ends.
  void BeginSystemDrag() override;
  void Present(const PixelImage& face, const ImageRect& changed) override;
  void PresentPart(const PixelImage& face, const ChangedPart& changed) override;
  void StartTimer(TimerId timer, int milliseconds) override;
  void StopTimer(TimerId timer) override { timers_.Stop(timer); }
  void ShowFace(bool shown) override { faceShown_ = shown; }

  // Test controls. Tick delivers one tick of a running timer, as the event loop would.
  bool Tick(TimerId timer);
  // Moves the clock on by `milliseconds`, delivering the ticks that fall due meanwhile at their
  // own time, as the X11 loop does (a tick missed while a handler moved the clock on is merged
  // into one late tick, as Windows does), and returns how many it delivered.
  int RunFor(int64_t milliseconds);
  void RequestClose() { events_->OnUnload(); }
  void ClockChanged() { events_->OnClockChanged(); }
  void ScreenChanged() { events_->OnScreenChanged(); }
  void ScreenScaleChanged() { events_->OnScreenScaleChanged(); }
  // A window manager putting the window where it chose.
  void PlacedBySystem(int32_t left, int32_t top) {
    place_ = {left, top};
    events_->OnPlacedBySystem(left, top);
  }
  // From now on no timer can be started, as a system out of timers (error 8: no memory).
  void FailTimers() { timersFail_ = true; }
  // A place left of this is refused, as a window system may refuse a place.
  void RefusePlacesLeftOf(int32_t x) { refuseLeftOf_ = x; }
  void SetDragDestination(int32_t left, int32_t top) { dragDestination_ = {left, top}; }
  // Delivers window events as the backend would translate them.
  void MouseDown(int16_t button, int16_t shift = 0) { events_->OnMouseDown(button, shift); }
  void MouseMove(int16_t button = 0, int16_t shift = 0) { events_->OnMouseMove(button, shift); }
  bool KeyDown(int16_t keyCode, int16_t shift = 0) { return events_->OnKeyDown(keyCode, shift); }

  bool TimerRunning(TimerId timer) const { return timers_.Running(timer); }
  int TimerInterval(TimerId timer) const { return static_cast<int>(timers_.Interval(timer)); }
  // When the running timer next falls due, on the clock's count of milliseconds.
  int64_t TimerDue(TimerId timer) const { return timers_.Due(timer); }
  const PixelImage& presented() const { return presented_; }
  // What a screen showing only the parts presented as changed would show.
  const PixelImage& screen() const { return screen_; }
  const std::string& caption() const { return caption_; }
  bool screenSettling() const { return screenSettling_; }
  // The part the last present said had changed.
  const ImageRect& presentedChange() const { return presentedChange_; }
  // The columns of each row of that box the core said may differ (all of them after Present).
  const std::vector<RowSpan>& presentedRows() const { return presentedRows_; }
  int presents() const { return presents_; }
  int timerStarts() const { return timerStarts_; }
  bool shown() const { return shown_; }
  bool faceShown() const { return faceShown_; }
  bool topmost() const { return layer_ == WindowLayer::kTopmost; }
  WindowLayer layer() const { return layer_; }
  int opacity() const { return opacity_; }
  bool allWorkspaces() const { return allWorkspaces_; }
  int32_t left() const { return place_.x; }
  int32_t top() const { return place_.y; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  int32_t regionDiameter() const { return regionDiameter_; }
  int drags() const { return drags_; }

 private:
  int64_t Elapsed() const { return time_ != nullptr ? time_->elapsedMs() : 0; }

  HeadlessClock* time_;
  WindowEvents* events_ = nullptr;
  ScreenPoint place_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t regionDiameter_ = 0;
  int32_t refuseLeftOf_ = std::numeric_limits<int32_t>::min();
  WindowLayer layer_ = WindowLayer::kNormal;
  int opacity_ = 100;
  PixelImage screen_;
  bool allWorkspaces_ = false;
  bool shown_ = false;
  bool faceShown_ = true;
  std::string caption_;
  bool screenSettling_ = false;
  bool timersFail_ = false;
  ScreenPoint dragDestination_;
  int drags_ = 0;
  TimerTable timers_;
  PixelImage presented_;
  ImageRect presentedChange_;
  std::vector<RowSpan> presentedRows_;
  int presents_ = 0;
  int timerStarts_ = 0;
};

}  // namespace quarvel
