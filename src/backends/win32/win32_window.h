#pragma once
// The clock window on raw user32/gdi32: a borderless popup without a task-bar button that shows
// the face the core drew, straight from the core's pixels: WM_PAINT shows the last face again
// whenever the window is uncovered.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/platform_window.h"

namespace quarvel {

class Win32Window final : public PlatformWindow {
 public:
  // Creates the hidden window; throws SystemCallFailure when it can't (StartTimer too).
  explicit Win32Window(HINSTANCE instance);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND handle() const { return hwnd_; }

  void SetEventSink(WindowEvents* events) override { events_ = events; }
  void SetCaption(const std::string& caption) override;
  void MoveTo(int32_t left, int32_t top) override;
  ScreenPoint Position() const override;
  void Resize(int32_t width, int32_t height) override;
  void SetRoundRegion(int32_t diameter) override;
  void SetLayer(WindowLayer layer) override;
  void SetOpacity(int percent) override;
  void Show() override;
  void BeginSystemDrag() override;
  void Present(const PixelImage& face, const ImageRect& changed) override;
  void StartTimer(TimerId timer, int milliseconds) override;
  void StopTimer(TimerId timer) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  int16_t PointerModifiers() const;

  HWND hwnd_ = nullptr;
  WindowEvents* events_ = nullptr;
  const PixelImage* face_ = nullptr;  // the last face presented
  const bool underWine_;
  ScreenPoint place_;  // where the window was last moved to, by the clock or a drag
  bool dragging_ = false;
  bool heldBelow_ = false;  // below all windows, and kept there
};

}  // namespace quarvel
