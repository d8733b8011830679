#pragma once
// The editor's face on the screen: a child window that shows a picture of the core's pixels as
// they stand and passes the mouse on in face pixels. It knows nothing of skins.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/platform_types.h"

namespace quarvel {

class FaceViewEvents {
 public:
  virtual ~FaceViewEvents() = default;
  virtual void OnFacePress(int x, int y) = 0;
  virtual void OnFaceDrag(int x, int y) = 0;
  virtual void OnFaceRelease() = 0;
  virtual void OnFaceRightClick(int x, int y) = 0;
  virtual void OnFaceDeleteKey() = 0;
};

class Win32FaceView {
 public:
  static constexpr const char* kClassName = "QvFaceView";

  Win32FaceView(HINSTANCE instance, HWND parent, int id, FaceViewEvents& events);
  HWND handle() const { return hwnd_; }
  // Shows these pixels until the next call; the picture is copied.
  void Show(PixelImage picture);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc) const;

  HWND hwnd_ = nullptr;
  FaceViewEvents& events_;
  PixelImage picture_;
  bool dragging_ = false;
};

}  // namespace quarvel
