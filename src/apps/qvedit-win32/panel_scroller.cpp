#include "apps/qvedit-win32/panel_scroller.h"

#include <algorithm>

#include "apps/qvedit-win32/control_ids.h"
#include "apps/qvedit-win32/window_metrics.h"

namespace quarvel {

HWND PanelScroller::Bar() const {
  return GetDlgItem(parent_, kPanelScroll);
}

void PanelScroller::Create(HINSTANCE instance) {
  CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 10, 10, parent_,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPanelScroll)), instance, nullptr);
}

int PanelScroller::Fit(const RECT& client, int panelHeight, int margin, int row, UINT dpi) {
  panelHeight_ = panelHeight;
  row_ = row;
  const int height = panelHeight + 2 * margin;
  const bool scrolls = height > client.bottom;
  const int bar = scrolls ? SystemMetric(SM_CXVSCROLL, dpi) : 0;
  scroll_ = scrolls ? std::clamp(scroll_, 0, height - static_cast<int>(client.bottom)) : 0;
  if (scrolls) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = height - 1;
    info.nPage = static_cast<UINT>(client.bottom);
    info.nPos = scroll_;
    SetScrollInfo(Bar(), SB_CTL, &info, FALSE);
    MoveWindow(Bar(), client.right - bar, 0, bar, client.bottom, FALSE);
  }
  ShowWindow(Bar(), scrolls ? SW_SHOWNA : SW_HIDE);
  return bar;
}

void PanelScroller::ScrollTo(int to) {
  if (!IsWindowVisible(Bar()) || to == scroll_) return;
  scroll_ = to;
  placeAgain_();  // which clamps it to the panel
}

void PanelScroller::OnScroll(int request) {
  RECT client{};
  GetClientRect(parent_, &client);
  const int page = std::max(static_cast<int>(client.bottom) - row_, row_);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  switch (request) {
    case SB_LINEUP:
      return ScrollTo(scroll_ - row_);
    case SB_LINEDOWN:
      return ScrollTo(scroll_ + row_);
    case SB_PAGEUP:
      return ScrollTo(scroll_ - page);
    case SB_PAGEDOWN:
      return ScrollTo(scroll_ + page);
    case SB_TOP:
      return ScrollTo(0);
    case SB_BOTTOM:
      return ScrollTo(panelHeight_);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      if (GetScrollInfo(Bar(), SB_CTL, &info)) ScrollTo(info.nTrackPos);
      return;
    default:
      return;
  }
}

// Three rows a notch, as lists scroll.
void PanelScroller::OnWheel(int delta) {
  ScrollTo(scroll_ - MulDiv(delta, 3 * row_, WHEEL_DELTA));
}

void PanelScroller::ShowFocused(HWND face, int margin) {
  HWND focus = GetFocus();
  while (focus != nullptr && GetParent(focus) != parent_) focus = GetParent(focus);  // a combo's
  if (focus == nullptr || focus == face || !IsWindowVisible(Bar())) return;
  RECT place{};
  GetWindowRect(focus, &place);
  MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&place), 2);
  RECT client{};
  GetClientRect(parent_, &client);
  if (place.top < margin)
    ScrollTo(scroll_ - (margin - place.top));
  else if (place.bottom > client.bottom - margin)
    ScrollTo(scroll_ + (place.bottom - (client.bottom - margin)));
}

}  // namespace quarvel
