#pragma once
// The hand being shaped and the skin's settings in the panel: the three hands, the hand's colour
// and Symmetric above the points; the face bitmap, the pen width, the zoom and the clock's size
// below them. Makes its controls, shows the session's skin in them and turns their
// notifications into the session's calls; the zoom it hands to the window, whose face it is.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <functional>
#include <string>

#include "apps/qvedit-win32/panel_form.h"
#include "core/skineditor/editor_session.h"
#include "core/skineditor/face_zoom.h"

namespace quarvel {

class SkinPanel {
 public:
  SkinPanel(HWND parent, EditorSession& session, std::function<void(Zoom)> zoomChosen);
  ~SkinPanel();
  SkinPanel(const SkinPanel&) = delete;
  SkinPanel& operator=(const SkinPanel&) = delete;

  static const PanelPart& HandsPart();     // the hands, Colour... and its swatch, Symmetric
  static const PanelPart& SettingsPart();  // face bitmap, pen width, zoom, clock size
  // The lists and ranges of its controls, once they are made.
  void SetUp(Zoom zoom);

  void Show();
  // Each true when the notification was one of its controls'.
  bool OnClick(int id);
  bool OnNotify(int id, int code);
  bool OnEnter(HWND focus);  // Enter in the pen width or the size box
  void OnPenSpin() { ApplyPenWidth(); }
  // The swatch's brush when `control` is the swatch, else nothing.
  HBRUSH SwatchBrush(HWND control) const;
  // A width or size typed but not yet applied.
  void ApplyTyped();

 private:
  HWND Item(int id) const { return GetDlgItem(parent_, id); }
  void ApplyPenWidth();
  void ApplySize(const std::string& text);  // a size picked or typed in the size box

  HWND parent_;
  EditorSession& session_;
  std::function<void(Zoom)> zoomChosen_;
  HBRUSH swatch_ = nullptr;
};

}  // namespace quarvel
