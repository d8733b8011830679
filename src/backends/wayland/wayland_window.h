#pragma once
// The clock window on Wayland: a layer-shell surface anchored to the top-left corner of the
// output that shows its place, at margins from it, in the top layer (top-most) or the bottom
// one, that shows the face the core drew with alpha outside the round region and takes input
// only inside it. A place no output shows takes the surface away until the clock comes back.
// NOTE: the layer shell has no layer among the windows: normal and below are both the bottom
// layer, under every window and over the wallpaper. Not the background layer, the wallpaper's
// own, where which of two surfaces shows is the compositor's choice (a wallpaper started again
// would cover the clock). A layer surface shows on every workspace already.
#include <wayland-client.h>

#include <string>
#include <vector>

#include "backends/wayland/wayland_buffers.h"
#include "backends/wayland/wayland_display.h"
#include "backends/wayland/wayland_drag.h"
#include "backends/wayland/wayland_event_loop.h"
#include "backends/wayland/wayland_relative_pointer.h"
#include "backends/wayland/wayland_seat.h"
#include "backends/wayland/wayland_surface_scale.h"
#include "platform/alpha_face.h"
#include "platform/ellipse_region.h"
#include "platform/platform_window.h"

struct zwlr_layer_surface_v1;

namespace quarvel {

class WaylandWindow final : public PlatformWindow, public WaylandInputTarget {
 public:
  WaylandWindow(WaylandDisplay& display, WaylandEventLoop& loop);
  ~WaylandWindow() override;
  WaylandWindow(const WaylandWindow&) = delete;
  WaylandWindow& operator=(const WaylandWindow&) = delete;

  void SetEventSink(WindowEvents* events) override;
  // A layer surface has no title: the caption is kept for the one-clock check alone.
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void MoveTo(int32_t left, int32_t top) override;
  ScreenPoint Position() const override { return place_; }
  void Resize(int32_t width, int32_t height) override;
  void SetRoundRegion(int32_t diameter) override;
  void SetLayer(WindowLayer layer) override;
  // The face's alpha and colour scaled in the buffer the compositor blends.
  void SetOpacity(int percent) override;
  void Show() override;
  // Moves the surface by the pointer's motion until the left button goes up (wayland_window_drag).
  void BeginSystemDrag() override;
  void Present(const PixelImage& face, const ImageRect& changed) override;
  void PresentPart(const PixelImage& face, const ChangedPart& changed) override;
  void ShowFace(bool shown) override;
  void StartTimer(TimerId timer, int milliseconds) override {
    loop_.StartTimer(timer, milliseconds);
  }
  void StopTimer(TimerId timer) override { loop_.StopTimer(timer); }

  // The scale of the output the clock is on (or would be, before it shows), in 120ths.
  int32_t OutputScale() const;
  // What the hand-over to another program asks an activation token with: the surface and the
  // click that started it.
  wl_surface* surface() const { return surface_; }
  uint32_t pressSerial() const { return seat_.pressSerial(); }
  // Asked by a second start in the same folder: the clock takes the keyboard, as a window
  // brought to the front does. False while it shows no surface.
  bool ShowItself();

  // The layer surface's listener.
  void Configured(uint32_t serial);
  void Closed();

 private:
  wl_surface* InputSurface() const override { return surface_; }
  void PointerMoved(int16_t buttons, int16_t modifiers) override;
  void ButtonPressed(int16_t button, int16_t modifiers) override;
  void KeyPressed(int16_t keyCode, int16_t modifiers) override;
  void PointerChanged(wl_pointer* pointer) override { relativePointer_.Follow(pointer); }
  void PointerFrame() override;
  void ButtonReleased(int16_t button) override;
  void PointerLeft() override { drag_.End(); }
  void DragMoved(double dx, double dy);
  void KeyboardEntered() override;
  void SetKeyboardInteractivity(uint32_t interactivity);

  void Place();
  void Map(wl_output* output);
  void Unmap();
  void SetInputRegion();
  void ApplyScale();
  void TellScale();
  int32_t LogicalSize() const;
  void Commit();

  WaylandDisplay& display_;
  WaylandEventLoop& loop_;
  WaylandRelativePointer relativePointer_;
  WaylandDrag drag_;
  WaylandSeat seat_;
  WaylandBuffers buffers_;
  WaylandSurfaceScale scale_;
  bool scaleToTell_ = false;  // the scale changed since the core last sized the face
  WindowEvents* events_ = nullptr;
  std::string caption_;
  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layer_ = nullptr;
  wl_output* output_ = nullptr;  // the output the surface is on
  bool configured_ = false;      // the compositor sized it: a buffer may be attached
  const PixelImage* coreFace_ = nullptr;
  AlphaFace alphaFace_;
  ImageRect damage_;  // what the surface shows older than the face
  std::vector<RegionRow> regionRows_;
  ScreenPoint place_;
  int32_t width_ = 1;
  int32_t height_ = 1;
  bool shown_ = false;
  bool topmost_ = false;
};

}  // namespace quarvel
