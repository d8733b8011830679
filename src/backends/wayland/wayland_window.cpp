#include "backends/wayland/wayland_window.h"

#include <algorithm>

#include "backends/wayland/wayland_layer_shell.h"
#include "backends/wayland/wayland_place.h"

namespace quarvel {

namespace {
constexpr const char* kNamespace = "quarvel";
// on_demand came with version 4: a click gives the keyboard, which goes again as usual.
constexpr uint32_t kOnDemandVersion = 4;
constexpr uint32_t kSetLayerVersion = 2;

void LayerConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t, uint32_t) {
  static_cast<WaylandWindow*>(data)->Configured(serial);
}
void LayerClosed(void* data, zwlr_layer_surface_v1*) {
  static_cast<WaylandWindow*>(data)->Closed();
}
const zwlr_layer_surface_v1_listener kLayerListener{LayerConfigure, LayerClosed};
}  // namespace

WaylandWindow::WaylandWindow(WaylandDisplay& display, WaylandEventLoop& loop)
    : display_(display),
      loop_(loop),
      relativePointer_(display.relativePointer(),
                       [this](double dx, double dy) { DragMoved(dx, dy); }),
      seat_(&display, *this),
      buffers_(display.shm()),
      scale_(display) {
  buffers_.OnReleased([this] { Commit(); });
  scale_.OnChanged([this] { scaleToTell_ = true; });
  loop_.WatchDeadline([this] { return seat_.NextRepeatMs(); },
                      [this](int64_t now) { seat_.Repeat(now); });
  // An output that came, went, moved or scaled may leave the clock on another one, or on none.
  display_.OnOutputsChanged([this] {
    scale_.OutputsChanged();
    Place();
    if (events_ != nullptr) events_->OnScreenChanged();
    if (configured_) TellScale();
  });
}

WaylandWindow::~WaylandWindow() {
  display_.OnOutputsChanged(nullptr);
  Unmap();
}

void WaylandWindow::SetEventSink(WindowEvents* events) {
  events_ = events;
  loop_.SetEventSink(events);
}

void WaylandWindow::MoveTo(int32_t left, int32_t top) {
  place_ = {left, top};
  Place();
}

void WaylandWindow::Resize(int32_t width, int32_t height) {
  if (width < 1 || height < 1) return;
  width_ = width;
  height_ = height;
  // The surface's new size and scale go with the first buffer of that size (Commit): the one
  // it shows may not divide by the new scale.
  buffers_.Resize(width, height);
}

// The buffer in the output's pixels, the surface at its logical size.
void WaylandWindow::ApplyScale() {
  if (!scale_.Apply(width_, height_)) return;
  const SurfaceScale& shown = scale_.applied();
  zwlr_layer_surface_v1_set_size(layer_, static_cast<uint32_t>(shown.width),
                                 static_cast<uint32_t>(shown.height));
  SetInputRegion();
}

// The core sizes the face again for the new scale (and picks the sharp face from 2x).
void WaylandWindow::TellScale() {
  if (!scaleToTell_ || events_ == nullptr) return;
  scaleToTell_ = false;
  events_->OnScreenScaleChanged();
}

int32_t WaylandWindow::LogicalSize() const {
  const SurfaceScale shown = scale_.For(width_, height_);
  return std::max(shown.width, shown.height);
}

int32_t WaylandWindow::OutputScale() const {
  if (surface_ != nullptr) return scale_.scale();
  const std::vector<ScreenRect> outputs = display_.OutputPlaces();
  if (outputs.empty()) return kScaleUnit;
  const LayerPlace layer = LayerPlaceFor(place_, LogicalSize(), outputs);
  return display_.OutputScale(display_.OutputAt(layer.output)) * kScaleUnit;
}

// The region only takes input; the alpha outside it makes the clock round.
void WaylandWindow::SetRoundRegion(int32_t diameter) {
  regionRows_ = EllipseRegionRows(diameter);
  alphaFace_.SetRegion(regionRows_);
  SetInputRegion();
  if (coreFace_ != nullptr) PresentPart(*coreFace_, WholeRows(WholeImage(*coreFace_)));
}

void WaylandWindow::SetInputRegion() {
  if (surface_ == nullptr) return;
  wl_region* region = wl_compositor_create_region(display_.compositor());
  const SurfaceScale shown = scale_.For(width_, height_);
  if (regionRows_.empty()) wl_region_add(region, 0, 0, shown.width, shown.height);
  for (const ImageRect& rect : LogicalRegion(regionRows_, width_, height_, shown))
    wl_region_add(region, rect.left, rect.top, rect.width(), rect.height());
  wl_surface_set_input_region(surface_, region);
  wl_region_destroy(region);
}

void WaylandWindow::SetLayer(WindowLayer layer) {
  const bool topmost = layer == WindowLayer::kTopmost;
  topmost_ = topmost;
  if (layer_ != nullptr && display_.layerShellVersion() >= kSetLayerVersion) {
    zwlr_layer_surface_v1_set_layer(
        layer_, topmost ? ZWLR_LAYER_SHELL_V1_LAYER_TOP : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM);
    wl_surface_commit(surface_);
  } else if (layer_ != nullptr) {
    Unmap();  // an older layer shell sets the layer only as a surface is made
  }
  Show();
}

void WaylandWindow::Show() {
  shown_ = true;
  Place();
}

// On the output that shows the place, at its margins; off every output, taken away.
void WaylandWindow::Place() {
  if (!shown_) return;
  const std::vector<ScreenRect> outputs = display_.OutputPlaces();
  if (outputs.empty() || !AnyOutputShows(place_, LogicalSize(), outputs)) {
    Unmap();
    return;
  }
  const LayerPlace layer = LayerPlaceFor(place_, LogicalSize(), outputs);
  wl_output* output = display_.OutputAt(layer.output);
  if (layer_ != nullptr && output != output_) Unmap();
  if (layer_ == nullptr) Map(output);
  zwlr_layer_surface_v1_set_margin(layer_, layer.marginTop, 0, 0, layer.marginLeft);
  wl_surface_commit(surface_);
}

void WaylandWindow::Map(wl_output* output) {
  output_ = output;
  configured_ = false;
  surface_ = wl_compositor_create_surface(display_.compositor());
  layer_ = zwlr_layer_shell_v1_get_layer_surface(
      display_.layerShell(), surface_, output,
      topmost_ ? ZWLR_LAYER_SHELL_V1_LAYER_TOP : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM, kNamespace);
  zwlr_layer_surface_v1_add_listener(layer_, &kLayerListener, this);
  scale_.Attach(surface_, output);
  ApplyScale();
  zwlr_layer_surface_v1_set_anchor(
      layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
  // Margins from the output's edge, whatever panels reserve: the place is the desktop's.
  zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
  SetKeyboardInteractivity(ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND);
  // The buffers the old surface held may never come back: new ones, all to be written.
  buffers_.Resize(width_, height_);
}

void WaylandWindow::SetKeyboardInteractivity(uint32_t interactivity) {
  if (layer_ != nullptr && display_.layerShellVersion() >= kOnDemandVersion)
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer_, interactivity);
}

// A layer surface can't be activated: asking for the keyboard alone gives it, and once it has
// it the clock asks no more than a click would give.
bool WaylandWindow::ShowItself() {
  if (layer_ == nullptr) return false;
  SetKeyboardInteractivity(ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
  wl_surface_commit(surface_);
  return true;
}

void WaylandWindow::KeyboardEntered() {
  if (layer_ == nullptr) return;
  SetKeyboardInteractivity(ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND);
  wl_surface_commit(surface_);
}

void WaylandWindow::Unmap() {
  scale_.Detach();
  if (layer_ != nullptr) zwlr_layer_surface_v1_destroy(layer_);
  if (surface_ != nullptr) wl_surface_destroy(surface_);
  layer_ = nullptr;
  surface_ = nullptr;
  output_ = nullptr;
  configured_ = false;
}

void WaylandWindow::Configured(uint32_t serial) {
  zwlr_layer_surface_v1_ack_configure(layer_, serial);
  if (!configured_) damage_ = {0, 0, width_, height_};  // the first picture: all of it
  configured_ = true;
  TellScale();
  Commit();
}

// The compositor took the surface away: its output went. The outputs' change that follows
// brings the clock onto one that remains (the compositor's end is the connection's).
void WaylandWindow::Closed() {
  Unmap();
}

void WaylandWindow::Present(const PixelImage& face, const ImageRect& changed) {
  PresentPart(face, WholeRows(changed));
}

void WaylandWindow::PresentPart(const PixelImage& face, const ChangedPart& changed) {
  coreFace_ = &face;
  const ChangedPart shown = alphaFace_.Update(face, changed);
  buffers_.MarkChanged(shown.box);
  damage_ = Union(damage_, shown.box);
  Commit();
}

void WaylandWindow::ShowFace(bool shown) {
  alphaFace_.SetVeiled(!shown);
  if (coreFace_ != nullptr) PresentPart(*coreFace_, WholeRows(WholeImage(*coreFace_)));
}

void WaylandWindow::SetOpacity(int percent) {
  alphaFace_.SetOpacity(percent);
  if (coreFace_ != nullptr) PresentPart(*coreFace_, WholeRows(WholeImage(*coreFace_)));
}

// Only the part that changed is damaged; nothing is asked of the compositor for the next frame.
void WaylandWindow::Commit() {
  if (!configured_ || surface_ == nullptr || coreFace_ == nullptr || damage_.empty()) return;
  wl_buffer* buffer = buffers_.Update(alphaFace_.pixels());
  if (buffer == nullptr) return;  // both in use: again when one comes back
  ApplyScale();
  wl_surface_attach(surface_, buffer, 0, 0);
  wl_surface_damage_buffer(surface_, damage_.left, damage_.top, damage_.width(), damage_.height());
  wl_surface_commit(surface_);
  damage_ = {};
  // Sent now, so the compositor copies it while the clock ends its tick, and the buffer's
  // release is read before the clock sleeps again.
  display_.Flush();
  loop_.ExpectPromptReply();
}

void WaylandWindow::PointerMoved(int16_t buttons, int16_t modifiers) {
  if (drag_.active()) return;  // the drag's own: the core hears of its end alone
  if (events_ != nullptr) events_->OnMouseMove(buttons, modifiers);
}

void WaylandWindow::ButtonPressed(int16_t button, int16_t modifiers) {
  if (events_ != nullptr) events_->OnMouseDown(button, modifiers);
}

void WaylandWindow::KeyPressed(int16_t keyCode, int16_t modifiers) {
  if (events_ != nullptr) events_->OnKeyDown(keyCode, modifiers);
}

}  // namespace quarvel
