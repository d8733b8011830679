// The clock's drag on a layer surface: no compositor moves a layer surface for its client, so the
// clock moves its own margins by the pointer's motion (WaylandDrag), one move for each group of
// pointer events. The end is told to the core as one mouse move over the window, as Windows sends
// one when its move loop ends: the core records the home there, so a clock dragged and closed
// without another move of the pointer keeps its new place.
#include "backends/wayland/wayland_window.h"

namespace quarvel {

// Returns when the button is released, or the surface lost the pointer.
void WaylandWindow::BeginSystemDrag() {
  if ((seat_.buttons() & 1) == 0 || !relativePointer_.available()) return;
  drag_.Begin(place_);
  while (drag_.active() && !display_.lost()) loop_.RunOnce(-1);
  drag_.End();
  // The core asks for the place as it hears of the end.
  if (drag_.MovedAway() && events_ != nullptr)
    events_->OnMouseMove(seat_.buttons(), seat_.keys().Modifiers());
}

void WaylandWindow::DragMoved(double dx, double dy) {
  drag_.Moved(dx, dy);
}

void WaylandWindow::PointerFrame() {
  if (drag_.active() && drag_.Place() != place_) MoveTo(drag_.Place().x, drag_.Place().y);
}

void WaylandWindow::ButtonReleased(int16_t button) {
  if ((button & 1) == 0 || !drag_.active()) return;
  PointerFrame();  // a motion the release's group brought
  drag_.End();
}

}  // namespace quarvel
