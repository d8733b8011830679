#include "apps/qvedit-win32/options_panel.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <array>

#include "apps/qvedit-win32/panel_controls.h"
#include "apps/qvedit-win32/window_metrics.h"
#include "core/skin/clock_options.h"

namespace quarvel {

namespace {
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;

// The check boxes and the option each sets.
struct Switch {
  int id;
  const char* key;
};
constexpr std::array<Switch, 6> kSwitches{{{kSecondsHandCheck, "seconds_hand"},
                                           {kDateCheck, "date"},
                                           {kLockedCheck, "locked"},
                                           {kAllWorkspacesCheck, "all_workspaces"},
                                           {kStartAtLoginCheck, "start_at_login"},
                                           {kHourlyChimeCheck, "hourly_chime"}}};

// The layer list in ClockLayer's order, as shown and as the options file says it.
constexpr std::array<const char*, 3> kLayerNames{"Top-most", "Normal", "Below other windows"};
constexpr std::array<const char*, 3> kLayerWords{"top-most", "normal", "below"};

struct Tip {
  int id;
  const char* text;
};
constexpr std::array<Tip, 10> kTips{{
    {kSecondsHandCheck, "Off: no seconds hand, and the clock wakes once a minute."},
    {kDateCheck, "The day of the month on the face, where the skin puts it."},
    {kLockedCheck, "A locked clock can't be dragged; its keys and the dodge still work."},
    {kTimeZoneEdit,
     "Empty: the system's time. Or a zone's name such as Asia/Tokyo or Europe/Paris."},
    {kOpacityEdit, "How solid the clock is, from 20 to 100 %."},
    {kLayerCombo,
     "Top-most: above other windows (A switches). Normal: among them. Below other "
     "windows: under all of them, on the desktop."},
    {kAllWorkspacesCheck,
     "The clock on every workspace of a Linux desktop. Windows has one "
     "desktop per session and ignores it."},
    {kStartAtLoginCheck,
     "This clock on this skin folder when you log in: a shortcut in your "
     "Startup folder, made when you save, removed when you save with this "
     "off."},
    {kHourlyChimeCheck, "A short, quiet sound at each full hour."},
    {kResetOptionsButton, "Every option back to its default, in one step you can undo."},
}};

void PutUpDownOnField(HWND parent, const PanelLayout&) {
  SendMessageA(GetDlgItem(parent, kOpacityUpDown), UDM_SETBUDDY,
               reinterpret_cast<WPARAM>(GetDlgItem(parent, kOpacityEdit)), 0);
}
}  // namespace

const PanelPart& OptionsPanel::Part() {
  static const PanelPart part{
      {{kSecondsHandCheck, "BUTTON", "Seconds hand", kCheck | WS_GROUP},
       {kDateCheck, "BUTTON", "Date", kCheck},
       {kLockedCheck, "BUTTON", "Locked", kCheck},
       {kTimeZoneLabel, "STATIC", "Time zone", SS_LEFT},
       {kTimeZoneEdit, "EDIT", "", kEdit},
       {kOpacityLabel, "STATIC", "Opacity %", SS_LEFT},
       {kOpacityEdit, "EDIT", "", kEdit | ES_NUMBER},
       {kOpacityUpDown, UPDOWN_CLASSA, "",
        UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_ALIGNRIGHT},
       {kLayerLabel, "STATIC", "Layer", SS_LEFT},
       {kLayerCombo, WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
       {kAllWorkspacesCheck, "BUTTON", "All workspaces", kCheck},
       {kStartAtLoginCheck, "BUTTON", "Start at login", kCheck},
       {kHourlyChimeCheck, "BUTTON", "Hourly chime", kCheck},
       {kResetOptionsButton, "BUTTON", "Reset to defaults", BS_PUSHBUTTON | WS_TABSTOP}},
      {{{{kSecondsHandCheck, Fit::kCheck}, {kDateCheck, Fit::kCheck}, {kLockedCheck, Fit::kCheck}},
        12,
        false},
       {{{kTimeZoneLabel, Fit::kLabel}, {kTimeZoneEdit, Fit::kFill}}, 14, false},
       {{{kOpacityLabel, Fit::kLabel},
         {kOpacityEdit, Fit::kSpinField, "1000"},
         {kLayerLabel, Fit::kLabel},
         {kLayerCombo, Fit::kComboBox, "Below other windows"}},
        14,
        false},
       {{{kAllWorkspacesCheck, Fit::kCheck}, {kStartAtLoginCheck, Fit::kCheck}}, 12, false},
       {{{kHourlyChimeCheck, Fit::kCheck}, {kResetOptionsButton, Fit::kPush}}, 14, false}},
      nullptr,
      &PutUpDownOnField};
  return part;
}

void OptionsPanel::SetUp(HINSTANCE instance) {
  for (const char* name : kLayerNames)
    SendMessageA(Item(kLayerCombo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendMessageA(Item(kOpacityUpDown), UDM_SETRANGE32, kMinOpacityPercent, kMaxOpacityPercent);
  SendMessageA(Item(kTimeZoneEdit), EM_SETLIMITTEXT, 64, 0);
  HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent_,
                              nullptr, instance, nullptr);
  // Long tips wrap at about 40 letters.
  SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, Scaled(280, WindowDpi(parent_)));
  for (const Tip& tip : kTips) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = parent_;
    info.uId = reinterpret_cast<UINT_PTR>(Item(tip.id));
    info.lpszText = const_cast<char*>(tip.text);
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void OptionsPanel::Show() {
  const ClockOptions& options = session_.options();
  for (const Switch& each : kSwitches)
    CheckDlgButton(parent_, each.id,
                   OptionValueText(options, each.key) == "on" ? BST_CHECKED : BST_UNCHECKED);
  SetItemText(parent_, kTimeZoneEdit, options.timeZone);
  SetItemText(parent_, kOpacityEdit, std::to_string(options.opacityPercent));
  SendMessageA(Item(kLayerCombo), CB_SETCURSEL, static_cast<WPARAM>(options.layer), 0);
}

bool OptionsPanel::OnClick(int id) {
  if (id == kResetOptionsButton) {
    session_.ResetOptions();
    return true;
  }
  for (const Switch& each : kSwitches)
    if (each.id == id) {
      Apply(each.key, IsDlgButtonChecked(parent_, id) == BST_CHECKED ? "on" : "off");
      return true;
    }
  return false;
}

bool OptionsPanel::OnNotify(int id, int code) {
  if (id == kLayerCombo && code == CBN_SELCHANGE) {
    const auto index = SendMessageA(Item(kLayerCombo), CB_GETCURSEL, 0, 0);
    if (index >= 0 && index < static_cast<LRESULT>(kLayerWords.size()))
      Apply("layer", kLayerWords[static_cast<std::size_t>(index)]);
  } else if (id == kOpacityEdit && code == EN_KILLFOCUS) {
    ApplyOpacity();
  } else if (id == kTimeZoneEdit && code == EN_KILLFOCUS) {
    ApplyTimeZone();
  } else {
    return false;
  }
  return true;
}

bool OptionsPanel::OnEnter(HWND focus) {
  if (focus == Item(kOpacityEdit)) {
    ApplyOpacity();
  } else if (focus == Item(kTimeZoneEdit)) {
    ApplyTimeZone();
  } else {
    return false;
  }
  return true;
}

void OptionsPanel::ApplyTyped() {
  ApplyOpacity();
  ApplyTimeZone();
}

// An unchanged value is no edit: leaving a field untouched adds no step to undo.
void OptionsPanel::Apply(const char* key, const std::string& value) {
  if (OptionValueText(session_.options(), key) == value) return;
  session_.ApplyOption(key, value);
  Show();  // a refused value gives way to the option as the session holds it
}

void OptionsPanel::ApplyOpacity() {
  Apply("opacity", ItemText(parent_, kOpacityEdit));
}

void OptionsPanel::ApplyTimeZone() {
  Apply("time_zone", ItemText(parent_, kTimeZoneEdit));
}

}  // namespace quarvel
