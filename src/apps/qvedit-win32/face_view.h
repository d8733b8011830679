#pragma once
// The editor's face on the screen: a child window that grows with the editor's window and shows
// the core's pixels at the model's zoom (face_zoom.h), each face pixel a whole block of screen
// pixels (nearest neighbour), with the handles on top at their own screen size. It passes the
// mouse and keys on in its own client pixels; it knows nothing of skins.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

#include "core/skineditor/face_zoom.h"
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
  virtual void OnFaceArrow(int degrees, int percent) = 0;  // an arrow key: a nudge
  virtual void OnFaceWheel(int notches) = 0;               // the wheel: a scroll
  virtual void OnFaceResized(int width, int height) = 0;
};

class Win32FaceView {
 public:
  static constexpr const char* kClassName = "QvFaceView";

  Win32FaceView(HINSTANCE instance, HWND parent, int id, FaceViewEvents& events);
  HWND handle() const { return hwnd_; }
  // Shows these pixels at this zoom, with these handles, until the next call; below 100 % opacity
  // the face is blended with the window's colour, as the translucent clock shows what lies behind.
  void Show(PixelImage picture, const FaceZoom& zoom, std::vector<Handle> handles,
            int opacityPercent = 100);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnKey(WPARAM key);  // Delete, and the arrows
  void Paint(HDC dc) const;

  HWND hwnd_ = nullptr;
  FaceViewEvents& events_;
  PixelImage picture_;
  FaceZoom zoom_;
  std::vector<Handle> handles_;
  bool dragging_ = false;
};

}  // namespace quarvel
