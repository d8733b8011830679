#pragma once
// The editor's panel laid out from the size of the window's font, so nothing is cut at any DPI:
// the form's rows in their order, each control as wide as its text asks, the rest of a row to
// its field or shared by its buttons, and the panel as wide as its widest row.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "apps/qvedit-win32/panel_form.h"

namespace quarvel {

class PanelLayout {
 public:
  // Measures the panel of `parent`'s controls, as `form` lays them out, in `font` at `dpi`.
  PanelLayout(HWND parent, HFONT font, UINT dpi, const PanelForm& form);
  ~PanelLayout();
  PanelLayout(const PanelLayout&) = delete;
  PanelLayout& operator=(const PanelLayout&) = delete;

  SIZE size() const { return {width_, height_}; }
  int row() const { return scrollRow_; }  // what a line of scrolling moves
  // Every control in its place, the panel's top left corner at (left, top).
  void Place(int left, int top) const;

  // The font's size as dialogs measure it: the average width of the Latin letters and the
  // height of a line.
  int X(int du) const { return MulDiv(du, cx_, 4); }
  int Y(int du) const { return MulDiv(du, cy_, 8); }
  int TextWidth(const char* text) const;
  UINT dpi() const { return dpi_; }

 private:
  int Natural(const PanelCell& cell) const;
  int Height(const PanelRow& row) const;
  void PlaceRow(const PanelRow& row, int left, int top) const;

  HWND parent_;
  HDC dc_;
  HGDIOBJ oldFont_;
  UINT dpi_;
  const PanelForm& form_;
  int cx_ = 6, cy_ = 13;
  int gap_ = 0, rowGap_ = 0, scrollRow_ = 0;
  int width_ = 0, height_ = 0;
};

}  // namespace quarvel
