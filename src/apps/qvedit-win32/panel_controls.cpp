#include "apps/qvedit-win32/panel_controls.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <string>

#include "apps/qvedit-win32/control_ids.h"
#include "core/skineditor/clock_size.h"

namespace quarvel {

namespace {
struct Kind {
  int id;
  const char* windowClass;
  const char* text;
  DWORD style;
};
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
// In the layout's order, which is the tab order.
constexpr std::array<Kind, 38> kKinds{{
    {kFolderLine, "STATIC", "", SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS | SS_NOPREFIX},
    {kHourRadio, "BUTTON", "Hour hand", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {kMinuteRadio, "BUTTON", "Minute hand", BS_AUTORADIOBUTTON},
    {kSecondRadio, "BUTTON", "Second hand", BS_AUTORADIOBUTTON},
    {kColourButton, "BUTTON", "Colour...", kButton | WS_GROUP},
    {kColourSwatch, "STATIC", "", SS_SUNKEN},
    {kSymmetricCheck, "BUTTON", "Symmetric", BS_AUTOCHECKBOX | WS_TABSTOP},
    {kPointList, WC_LISTVIEWA, "",
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP},
    {kAngleLabel, "STATIC", "Angle", SS_LEFT},
    {kAngleEdit, "EDIT", "", kEdit},
    {kPercentLabel, "STATIC", "Percent", SS_LEFT},
    {kPercentEdit, "EDIT", "", kEdit},
    {kSetButton, "BUTTON", "Set point", kButton},
    {kInsertButton, "BUTTON", "Insert point", kButton},
    {kDeleteButton, "BUTTON", "Delete point", kButton},
    {kBitmapLabel, "STATIC", "Face bitmap", SS_LEFT},
    {kBitmapEdit, "EDIT", "", kEdit | ES_READONLY},
    {kBrowseButton, "BUTTON", "Browse...", kButton},
    {kPenLabel, "STATIC", "Pen width", SS_LEFT},
    {kPenEdit, "EDIT", "", kEdit | ES_NUMBER},
    {kPenUpDown, UPDOWN_CLASSA, "",
     UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_ALIGNRIGHT},
    {kZoomLabel, "STATIC", "Zoom", SS_LEFT},
    {kZoomCombo, WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {kSizeLabel, "STATIC", "Clock size", SS_LEFT},
    {kSizeCombo, WC_COMBOBOXA, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP},
    {kTimeLabel, "STATIC", "Time", SS_LEFT},
    {kTimeEdit, "EDIT", "", kEdit},
    {kStopButton, "BUTTON", "Stop", kButton},
    {kPoseButton, "BUTTON", "10:08:36", kButton},
    {kLiveButton, "BUTTON", "Live", kButton},
    {kUndoButton, "BUTTON", "Undo", kButton},
    {kRedoButton, "BUTTON", "Redo", kButton},
    {kNewButton, "BUTTON", "New skin...", kButton},
    {kOpenButton, "BUTTON", "Open skin folder...", kButton},
    {kCopyButton, "BUTTON", "Save a copy...", kButton},
    {kSaveButton, "BUTTON", "Save", kButton},
    {kSaveStartButton, "BUTTON", "Save and start clock", kButton},
    {kStatus, "STATIC", "", SS_LEFT | SS_NOPREFIX},
}};

HWND Item(HWND parent, int id) {
  return GetDlgItem(parent, id);
}

void AddPointColumns(HWND list) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const std::array<const char*, 3> columns{"Point", "Angle", "Percent"};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(columns[static_cast<std::size_t>(i)]);
    column.cx = 60;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
}
}  // namespace

const char* ControlText(int id) {
  for (const Kind& kind : kKinds)
    if (kind.id == id) return kind.text;
  return "";
}

void CreatePanelControls(HWND parent, HINSTANCE instance, Zoom zoom) {
  for (const Kind& kind : kKinds) {
    const DWORD exStyle =
        kind.id == kPointList || std::string(kind.windowClass) == "EDIT" ? WS_EX_CLIENTEDGE : 0;
    CreateWindowExA(exStyle, kind.windowClass, kind.text, WS_CHILD | WS_VISIBLE | kind.style, 0, 0,
                    10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kind.id)),
                    instance, nullptr);
  }
  AddPointColumns(Item(parent, kPointList));
  for (Zoom each : kAllZooms)
    SendMessageA(Item(parent, kZoomCombo), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(ZoomName(each)));
  SendMessageA(Item(parent, kZoomCombo), CB_SETCURSEL, static_cast<WPARAM>(zoom), 0);
  for (int16_t percent : kSizeChoices)
    SendMessageA(Item(parent, kSizeCombo), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(SizeText(percent).c_str()));
  SendMessageA(Item(parent, kPenUpDown), UDM_SETRANGE32, 1, 32767);
  SendMessageA(Item(parent, kAngleEdit), EM_SETLIMITTEXT, 12, 0);
  SendMessageA(Item(parent, kPercentEdit), EM_SETLIMITTEXT, 12, 0);
  // Last: Tab never stops on it (the focused control scrolls into view instead).
  CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 10, 10, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPanelScroll)), instance, nullptr);
}

HFONT MakePanelFont(HWND parent, UINT dpi) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTA font{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font = metrics.lfMessageFont;
  } else {
    lstrcpyA(font.lfFaceName, "MS Shell Dlg 2");
  }
  // The message font at 9 points on this window's DPI, whatever DPI the system started with.
  font.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
  font.lfWidth = 0;
  HFONT made = CreateFontIndirectA(&font);
  if (made == nullptr) return nullptr;
  for (const Kind& kind : kKinds)
    SendMessageA(Item(parent, kind.id), WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
  return made;
}

}  // namespace quarvel
