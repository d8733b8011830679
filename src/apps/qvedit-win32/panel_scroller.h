#pragma once
// Scrolling the controls' panel when the window is shorter than it: the scroll bar along the
// window's right edge, how far the panel is scrolled, the mouse wheel over it, and the control
// Tab reaches brought into view. The window lays the panel out at the scroll it holds.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <functional>

namespace quarvel {

class PanelScroller {
 public:
  // `placeAgain` lays the panel out again at the new scroll.
  PanelScroller(HWND parent, std::function<void()> placeAgain)
      : parent_(parent), placeAgain_(std::move(placeAgain)) {}

  // The scroll bar, made after every other control: Tab never stops on it.
  void Create(HINSTANCE instance);
  // The scroll fitted to a panel `panelHeight` tall between margins of `margin` in `client`,
  // `row` a line of scrolling: the bar shown when the panel is taller, hidden when not. Returns
  // the bar's width (0 when hidden).
  int Fit(const RECT& client, int panelHeight, int margin, int row, UINT dpi);
  int offset() const { return scroll_; }  // how far the panel is scrolled up

  void OnScroll(int request);  // the bar's WM_VSCROLL
  void OnWheel(int delta);     // over the panel, or from one of its controls
  // After a key: the focused control scrolled into view, unless it is `face`.
  void ShowFocused(HWND face, int margin);
  bool IsBar(HWND control) const { return control == Bar(); }

 private:
  HWND Bar() const;
  void ScrollTo(int to);  // the panel's top `to` pixels above the window's top margin

  HWND parent_;
  std::function<void()> placeAgain_;
  int scroll_ = 0;
  int row_ = 20;
  int panelHeight_ = 0;
};

}  // namespace quarvel
