#pragma once
// The clock window on raw user32/gdi32: a borderless popup without a task-bar button that shows
// the face the core drew. The face is kept in a DIB section, so WM_PAINT can show it again
// whenever the window is uncovered.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/platform_window.h"

namespace quarvel {

class Win32Window final : public PlatformWindow {
 public:
  // Creates the hidden window; a failure is reported and ends the process.
  explicit Win32Window(HINSTANCE instance);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND handle() const { return hwnd_; }

  void SetEventSink(WindowEvents* events) override { events_ = events; }
  void MoveTo(int32_t left, int32_t top) override;
  ScreenPoint Position() const override;
  void Resize(int32_t width, int32_t height) override;
  void SetRoundRegion(int32_t diameter) override;
  void SetTopmostLayer(bool topmost) override;
  void Show() override;
  void BeginSystemDrag() override;
  void Present(const PixelImage& face) override;
  void StartTimer(TimerId timer, int milliseconds) override;
  void StopTimer(TimerId timer) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  HWND hwnd_ = nullptr;
  WindowEvents* events_ = nullptr;
  HDC faceDc_ = nullptr;  // holds the face's DIB section
  HBITMAP face_ = nullptr;
  HGDIOBJ faceOld_ = nullptr;
  void* faceBits_ = nullptr;
  int faceWidth_ = 0;
  int faceHeight_ = 0;
};

}  // namespace quarvel
