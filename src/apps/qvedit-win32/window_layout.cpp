// The window's layout: the panels made and their controls given the font of the window's DPI,
// the panel on the right (scrolling when the window is shorter than it, its rows in their order),
// the face view taking the rest, the first size and the least one.
#include <algorithm>

#include "apps/qvedit-win32/editor_window.h"
#include "apps/qvedit-win32/options_panel.h"
#include "apps/qvedit-win32/panel_controls.h"
#include "apps/qvedit-win32/panel_layout.h"
#include "apps/qvedit-win32/panel_scroller.h"
#include "apps/qvedit-win32/point_panel.h"
#include "apps/qvedit-win32/skin_panel.h"
#include "apps/qvedit-win32/time_panel.h"
#include "apps/qvedit-win32/window_metrics.h"

namespace quarvel {

int EditorWindow::Margin() const {
  return Scaled(10, dpi_);
}

void EditorWindow::CreateControls() {
  skin_ = std::make_unique<SkinPanel>(hwnd_, session_, [this](Zoom zoom) { SetZoom(zoom); });
  points_ = std::make_unique<PointPanel>(hwnd_, session_);
  time_ = std::make_unique<TimePanel>(hwnd_, session_);
  options_ = std::make_unique<OptionsPanel>(hwnd_, session_);
  scroller_ = std::make_unique<PanelScroller>(hwnd_, [this] { PlaceControls(); });
  faceView_ = std::make_unique<Win32FaceView>(instance_, hwnd_, kFace, *this);
  CreatePanelControls(hwnd_, instance_, form_);
  skin_->SetUp(zoom_.zoom());
  points_->SetUp();
  options_->SetUp(instance_);
  scroller_->Create(instance_);
  SetUpFont();
}

void EditorWindow::SetUpFont() {
  dpi_ = WindowDpi(hwnd_);
  HFONT made = MakePanelFont(hwnd_, dpi_, form_);
  if (made == nullptr) return;
  if (font_ != nullptr) DeleteObject(font_);
  font_ = made;
}

void EditorWindow::PlaceControls() {
  const int margin = Margin();
  const PanelLayout layout(hwnd_, font_, dpi_, form_);
  panel_ = layout.size();
  RECT client{};
  GetClientRect(hwnd_, &client);
  // Too short for the panel: a scroll bar along the window's right edge moves it.
  const int bar = scroller_->Fit(client, panel_.cy, margin, layout.row(), dpi_);
  const int left = std::max(static_cast<int>(client.right - bar - margin - panel_.cx), 3 * margin);
  layout.Place(left, margin - scroller_->offset());
  MoveWindow(faceView_->handle(), margin, margin, std::max(left - 2 * margin, 1),
             std::max(static_cast<int>(client.bottom) - 2 * margin, 1), FALSE);
  // Everything at once, the spaces between the controls too: nothing of an old place stays.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void EditorWindow::SizeToWorkArea() {
  const int margin = Margin();
  panel_ = PanelLayout(hwnd_, font_, dpi_, form_).size();
  // As tall as the panel, the face view a square beside it, or as large as the face at 1x.
  const int view = std::max(static_cast<int>(panel_.cy), std::min(session_.face().width(), 720));
  SIZE outer = OuterSize(hwnd_, 3 * margin + view + panel_.cx,
                         2 * margin + std::max(view, static_cast<int>(panel_.cy)));
  // Within the monitor's work area: the face view gives way first, then the panel scrolls.
  const RECT work = WorkAreaOf(hwnd_);
  if (outer.cy > work.bottom - work.top) {
    outer.cy = work.bottom - work.top;
    outer.cx += SystemMetric(SM_CXVSCROLL, dpi_);
  }
  const POINT least = MinimumSize();
  outer.cx = std::clamp(static_cast<int>(outer.cx), static_cast<int>(least.x),
                        static_cast<int>(work.right - work.left));
  RECT place{};
  GetWindowRect(hwnd_, &place);
  const int x = std::clamp(static_cast<int>(place.left), static_cast<int>(work.left),
                           static_cast<int>(work.right - outer.cx));
  const int y = std::clamp(static_cast<int>(place.top), static_cast<int>(work.top),
                           static_cast<int>(work.bottom - outer.cy));
  SetWindowPos(hwnd_, nullptr, x, y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
}

POINT EditorWindow::MinimumSize() const {
  // The panel's width with its scroll bar and a face view of 200 pixels at 96 dpi; any height
  // down to the face view's, since the panel scrolls. Never more than the work area, where the
  // face view gives way.
  const int margin = Margin();
  const int view = Scaled(200, dpi_);
  const SIZE outer = OuterSize(
      hwnd_, 3 * margin + view + panel_.cx + SystemMetric(SM_CXVSCROLL, dpi_), 2 * margin + view);
  const RECT work = WorkAreaOf(hwnd_);
  return {std::min(static_cast<int>(outer.cx), static_cast<int>(work.right - work.left)),
          std::min(static_cast<int>(outer.cy), static_cast<int>(work.bottom - work.top))};
}

void EditorWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  SetUpFont();
  dpi_ = dpi;
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
}

}  // namespace quarvel
