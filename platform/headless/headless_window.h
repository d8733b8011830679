#pragma once
// The in-memory clock window: real state (place, size, region, layer, pictures, pixels, timers,
// shown) and no screen. Tests drive its events by hand, stepping timers one tick at a time.
#include <array>
#include <string>

#include "platform/headless/headless_surface.h"
#include "platform/platform_window.h"

namespace quarvel {

class HeadlessWindow final : public PlatformWindow {
 public:
  // The window as designed, at 15 twips per pixel unless a test says otherwise.
  explicit HeadlessWindow(float twipsPerPixelX = 15.0f, float twipsPerPixelY = 15.0f);

  // PlatformWindow
  void SetEventSink(WindowEvents* events) override { events_ = events; }
  void LoadBackgroundPicture(const std::string& path) override;
  void LoadMeasuringPicture(const std::string& path) override;
  float MeasuringPictureWidth() const override { return measuringWidth_; }
  void SetLeftTwips(float twips) override;
  void SetTopTwips(float twips) override;
  void SetWidthTwips(float twips) override;
  void SetHeightTwips(float twips) override;
  float LeftTwips() const override { return static_cast<float>(left_) * fx_; }
  float TopTwips() const override { return static_cast<float>(top_) * fy_; }
  void SetEllipticRegion(int32_t diameter) override { regionDiameter_ = diameter; }
  void SetTopmostLayer(bool topmost) override;
  void SetTimerInterval(TimerId timer, int milliseconds) override;
  void SetTimerEnabled(TimerId timer, bool enabled) override;
  bool TimerEnabled(TimerId timer) const override;
  void Show() override { shown_ = true; }
  // The window system's move loop: the window lands where the test said the drag ends.
  void BeginSystemDrag() override;

  // DrawingSurface, passed through to the in-memory surface
  void Cls() override { surface_.Cls(); }
  void SetForeColor(ColorRef color) override { surface_.SetForeColor(color); }
  void SetDrawWidth(int16_t width) override { surface_.SetDrawWidth(width); }
  int16_t DrawWidth() const override { return surface_.DrawWidth(); }
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
    surface_.Line(x1, y1, x2, y2);
  }
  float ScaleWidth() const override { return surface_.ScaleWidth(); }
  float ScaleHeight() const override { return surface_.ScaleHeight(); }

  // Test controls: deliver one tick of a timer if it is enabled (as the event loop would).
  bool Tick(TimerId timer);
  void RequestClose() { events_->OnUnload(); }
  // Screen bounds: a place whose left edge is beyond these is refused, as a window system may.
  void RefusePlacesLeftOf(int x) { refuseLeftOf_ = x; }
  void SetDragDestination(int left, int top) {
    dragLeft_ = left;
    dragTop_ = top;
  }
  // Delivers window events as the backend would translate them.
  void MouseDown(int16_t button, int16_t shift = 0) { events_->OnMouseDown(button, shift); }
  void MouseMove(int16_t shift = 0, int16_t button = 0) { events_->OnMouseMove(button, shift); }
  void KeyDown(int16_t keyCode, int16_t shift = 0) { events_->OnKeyDown(keyCode, shift); }

  const HeadlessSurface& surface() const { return surface_; }
  int TimerInterval(TimerId timer) const;
  bool shown() const { return shown_; }
  bool topmost() const { return topmost_; }
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return surface_.pixels().width; }
  int height() const { return surface_.pixels().height; }
  int regionDiameter() const { return regionDiameter_; }
  int drags() const { return drags_; }

 private:
  static std::size_t Index(TimerId timer) { return static_cast<std::size_t>(timer) - 1; }

  float fx_, fy_;
  HeadlessSurface surface_;
  WindowEvents* events_ = nullptr;
  float measuringWidth_;
  int left_ = 0;
  int top_ = 0;
  int regionDiameter_ = 0;
  int refuseLeftOf_ = -2147483647 - 1;
  bool topmost_ = false;
  int dragLeft_ = 0;
  int dragTop_ = 0;
  int drags_ = 0;
  std::array<int, 3> intervals_{};
  std::array<bool, 3> enabled_{};
  bool shown_ = false;
};

}  // namespace quarvel
