#pragma once
// The clock's options in the panel: the seconds hand, the date and the lock; the time zone; the
// opacity and the layer; all workspaces, start at login and the hourly chime; "Reset to
// defaults". Each control has a tooltip. Makes its controls, shows the session's options in them
// after every change and turns their notifications into the session's ApplyOption calls, in the
// options file's words.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "apps/qvedit-win32/control_ids.h"
#include "apps/qvedit-win32/panel_form.h"
#include "core/skineditor/editor_session.h"

namespace quarvel {

class OptionsPanel {
 public:
  OptionsPanel(HWND parent, EditorSession& session) : parent_(parent), session_(session) {}

  static const PanelPart& Part();
  // The layer list, the opacity's range and the tooltips, once the controls are made.
  void SetUp(HINSTANCE instance);

  void Show();
  // Each true when the notification was one of its controls'.
  bool OnClick(int id);
  bool OnNotify(int id, int code);
  bool OnEnter(HWND focus);  // Enter in the time zone or the opacity field
  void OnOpacitySpin() { ApplyOpacity(); }
  bool IsOpacitySpin(HWND control) const { return control == Item(kOpacityUpDown); }
  // A zone or an opacity typed but not yet applied.
  void ApplyTyped();

 private:
  HWND Item(int id) const { return GetDlgItem(parent_, id); }
  void Apply(const char* key, const std::string& value);
  void ApplyOpacity();
  void ApplyTimeZone();

  HWND parent_;
  EditorSession& session_;
};

}  // namespace quarvel
