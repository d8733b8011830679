#pragma once
// The time the face stands at, in the panel: the field, Stop (at the time typed), the classic
// 10:08:36 and Live (the face ticks with the clock). Makes its controls, shows the face's time
// and turns their notifications into the session's calls.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "apps/qvedit-win32/panel_form.h"
#include "core/skineditor/editor_session.h"

namespace quarvel {

class TimePanel {
 public:
  TimePanel(HWND parent, EditorSession& session) : parent_(parent), session_(session) {}

  static const PanelPart& Part();
  // The face's time, unless the author is typing one.
  void Show(TimeOfDay time);
  // Each true when the notification was one of its controls'.
  bool OnClick(int id);
  bool OnEnter(HWND focus);  // Enter in the field stops the face at the time typed

 private:
  HWND parent_;
  EditorSession& session_;
};

}  // namespace quarvel
