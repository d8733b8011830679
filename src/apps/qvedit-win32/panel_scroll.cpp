// Scrolling the controls' panel when the window is shorter than it (window_layout.cpp lays
// it out at the scroll): its scroll bar, the mouse wheel, and the control Tab reaches.
#include <algorithm>

#include "apps/qvedit-win32/editor_window.h"

namespace quarvel {

void EditorWindow::ScrollPanel(int to) {
  if (!IsWindowVisible(Item(kPanelScroll)) || to == scroll_) return;
  scroll_ = to;
  PlaceControls();  // clamps it to the panel
}

void EditorWindow::OnPanelScroll(int request) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int page = std::max(static_cast<int>(client.bottom) - panelRow_, panelRow_);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  switch (request) {
    case SB_LINEUP:
      return ScrollPanel(scroll_ - panelRow_);
    case SB_LINEDOWN:
      return ScrollPanel(scroll_ + panelRow_);
    case SB_PAGEUP:
      return ScrollPanel(scroll_ - page);
    case SB_PAGEDOWN:
      return ScrollPanel(scroll_ + page);
    case SB_TOP:
      return ScrollPanel(0);
    case SB_BOTTOM:
      return ScrollPanel(panel_.cy);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      if (GetScrollInfo(Item(kPanelScroll), SB_CTL, &info)) ScrollPanel(info.nTrackPos);
      return;
    default:
      return;
  }
}

// Three rows a notch, as lists scroll.
void EditorWindow::OnPanelWheel(int delta) {
  ScrollPanel(scroll_ - MulDiv(delta, 3 * panelRow_, WHEEL_DELTA));
}

void EditorWindow::ShowFocusedControl() {
  HWND focus = GetFocus();
  while (focus != nullptr && GetParent(focus) != hwnd_) focus = GetParent(focus);  // a combo's
  if (focus == nullptr || focus == faceView_->handle() || !IsWindowVisible(Item(kPanelScroll)))
    return;
  RECT place{};
  GetWindowRect(focus, &place);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&place), 2);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int margin = MulDiv(10, static_cast<int>(dpi_), 96);
  if (place.top < margin)
    ScrollPanel(scroll_ - (margin - place.top));
  else if (place.bottom > client.bottom - margin)
    ScrollPanel(scroll_ + (place.bottom - (client.bottom - margin)));
}

}  // namespace quarvel
