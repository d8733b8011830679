#include "apps/qvedit-win32/time_panel.h"

#include "apps/qvedit-win32/control_ids.h"
#include "apps/qvedit-win32/panel_controls.h"
#include "core/skineditor/face_time.h"

namespace quarvel {

namespace {
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
}  // namespace

const PanelPart& TimePanel::Part() {
  static const PanelPart part{{{kTimeLabel, "STATIC", "Time", SS_LEFT},
                               {kTimeEdit, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP},
                               {kStopButton, "BUTTON", "Stop", kButton},
                               {kPoseButton, "BUTTON", "10:08:36", kButton},
                               {kLiveButton, "BUTTON", "Live", kButton}},
                              {{{{kTimeLabel, Fit::kLabel},
                                 {kTimeEdit, Fit::kChars, "00:00:00"},
                                 {kStopButton, Fit::kPush},
                                 {kPoseButton, Fit::kPush},
                                 {kLiveButton, Fit::kPush}},
                                14,
                                false}}};
  return part;
}

void TimePanel::Show(TimeOfDay time) {
  if (GetFocus() != GetDlgItem(parent_, kTimeEdit)) SetItemText(parent_, kTimeEdit, TimeText(time));
}

bool TimePanel::OnClick(int id) {
  switch (id) {
    case kStopButton:
      session_.ApplyTime(ItemText(parent_, kTimeEdit));
      return true;
    case kPoseButton:
      session_.StopAt(kClassicPose);
      return true;
    case kLiveButton:
      session_.StopAt(std::nullopt);
      return true;
    default:
      return false;
  }
}

bool TimePanel::OnEnter(HWND focus) {
  if (focus != GetDlgItem(parent_, kTimeEdit)) return false;
  session_.ApplyTime(ItemText(parent_, kTimeEdit));
  return true;
}

}  // namespace quarvel
