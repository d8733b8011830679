#pragma once
// The clock window on raw user32/gdi32. Drawing goes to an off-screen bitmap that starts as a
// copy of the background picture, so what is drawn survives being covered; WM_PAINT only copies
// it to the screen.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "platform/platform_window.h"

namespace quarvel {

class Win32Window final : public PlatformWindow {
 public:
  // Creates the (hidden) window with its designed drawing area. Reports a
  // failure through the platform's error report.
  Win32Window(HINSTANCE instance, const char* title, float twipsPerPixelX, float twipsPerPixelY);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND handle() const { return hwnd_; }

  // PlatformWindow
  void SetEventSink(WindowEvents* events) override { events_ = events; }
  void LoadBackgroundPicture(const std::string& path) override;
  void LoadMeasuringPicture(const std::string& path) override;
  float MeasuringPictureWidth() const override { return measuringWidth_; }
  void SetLeftTwips(float twips) override;
  void SetTopTwips(float twips) override;
  void SetWidthTwips(float twips) override;
  void SetHeightTwips(float twips) override;
  float LeftTwips() const override;
  float TopTwips() const override;
  void SetEllipticRegion(int32_t diameter) override;
  void SetTopmostLayer(bool topmost) override;
  void SetTimerInterval(TimerId timer, int milliseconds) override;
  void SetTimerEnabled(TimerId timer, bool enabled) override;
  bool TimerEnabled(TimerId timer) const override;
  void Show() override;
  void BeginSystemDrag() override;

  // DrawingSurface
  void Cls() override;
  void SetForeColor(ColorRef color) override;
  void SetDrawWidth(int16_t width) override;
  int16_t DrawWidth() const override { return drawWidth_; }
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  float ScaleWidth() const override { return static_cast<float>(clientWidth_); }
  float ScaleHeight() const override { return static_cast<float>(clientHeight_); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Resize(int width, int height);
  void MoveTo(int x, int y);
  RECT WindowRect() const;
  void RebuildCanvas();
  void SelectPen();
  void Paint();

  static constexpr int kTimerCount = 3;
  static constexpr COLORREF kBackColor = RGB(0, 64, 128);

  float fx_;
  float fy_;
  HWND hwnd_ = nullptr;
  WindowEvents* events_ = nullptr;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  HBITMAP picture_ = nullptr;
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  float measuringWidth_ = 0;
  HDC canvasDc_ = nullptr;  // the off-screen drawing
  HBITMAP canvas_ = nullptr;
  HGDIOBJ canvasOld_ = nullptr;
  HPEN pen_ = nullptr;
  COLORREF foreColor_ = RGB(0, 0, 0);
  int16_t drawWidth_ = 1;
  int timerIntervals_[kTimerCount] = {0, 0, 0};
  bool timerEnabled_[kTimerCount] = {false, false, false};
};

}  // namespace quarvel
