#pragma once
// The hand's points in the panel: the list (point, angle, percent), the Angle and Percent fields
// of the selected point, and Set point, Insert point, Delete point. Makes its controls, shows the
// session's points in them and turns their notifications into the session's calls.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "apps/qvedit-win32/panel_form.h"
#include "core/skineditor/editor_session.h"

namespace quarvel {

class PointPanel {
 public:
  PointPanel(HWND parent, EditorSession& session) : parent_(parent), session_(session) {}

  static const PanelPart& Part();
  // The list's columns and the fields' limits, once the controls are made.
  void SetUp();

  void Show();
  // Each true when the notification was one of its controls'.
  bool OnClick(int id);
  bool OnEnter(HWND focus);  // Enter in Angle or Percent sets the point
  void OnListNotify(const NMHDR& header);

 private:
  HWND Item(int id) const { return GetDlgItem(parent_, id); }
  void FillList();
  void ApplyFields(bool insert);

  HWND parent_;
  EditorSession& session_;
  bool filling_ = false;  // the list is being filled: its notifications are ours
};

}  // namespace quarvel
