#pragma once
// The in-memory clock window: real state (size, picture, pixels, timers, shown, closed) and no
// screen. Tests drive its events by hand, stepping timers one tick at a time.
#include <array>
#include <string>

#include "platform/headless/headless_surface.h"
#include "platform/platform_window.h"

namespace quarvel {

class HeadlessWindow final : public PlatformWindow {
 public:
  HeadlessWindow() : surface_(1, 1) {}

  // PlatformWindow
  void SetEventSink(WindowEvents* events) override { events_ = events; }
  void LoadBackgroundPicture(const std::string& path) override;
  int PictureWidth() const override { return pictureWidth_; }
  void SetClientSizePixels(int width, int height) override { surface_.Resize(width, height); }
  void SetTimerInterval(TimerId timer, int milliseconds) override;
  void SetTimerEnabled(TimerId timer, bool enabled) override;
  bool TimerEnabled(TimerId timer) const override;
  void Show() override { shown_ = true; }
  void Close() override { closed_ = true; }

  // DrawingSurface, passed through to the in-memory surface
  void Cls() override { surface_.Cls(); }
  void SetForeColor(ColorRef color) override { surface_.SetForeColor(color); }
  void SetDrawWidth(int16_t width) override { surface_.SetDrawWidth(width); }
  int16_t DrawWidth() const override { return surface_.DrawWidth(); }
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override { surface_.Line(x1, y1, x2, y2); }
  float ScaleWidth() const override { return surface_.ScaleWidth(); }
  float ScaleHeight() const override { return surface_.ScaleHeight(); }

  // Test controls: deliver one tick of a timer if it is enabled (as the event loop would).
  bool Tick(TimerId timer);
  void RequestClose() { events_->OnUnload(); }

  const HeadlessSurface& surface() const { return surface_; }
  int TimerInterval(TimerId timer) const;
  bool shown() const { return shown_; }
  bool closed() const { return closed_; }

 private:
  static std::size_t Index(TimerId timer) { return static_cast<std::size_t>(timer) - 1; }

  HeadlessSurface surface_;
  WindowEvents* events_ = nullptr;
  int pictureWidth_ = 0;
  std::array<int, 3> intervals_{};
  std::array<bool, 3> enabled_{};
  bool shown_ = false;
  bool closed_ = false;
};

}  // namespace quarvel
