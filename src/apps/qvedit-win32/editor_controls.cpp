// The main window's controls: created once, laid out from the size of the window's font (so
// nothing is cut at any DPI), the panel on the right, the face view taking the rest of the
// window; and filled from the skin after every edit. A window shorter than the panel (2x on a
// laptop's screen) scrolls the panel, whose rows keep their order, and the face keeps its room.
#include "apps/qvedit-win32/editor_window.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/clockface/clock_state.h"
#include "core/skineditor/clock_size.h"
#include "core/skineditor/face_time.h"
#include "core/skineditor/skin_files.h"
#include "core/skineditor/skin_folder.h"

namespace quarvel {

namespace {
using E = EditorWindow;

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
    {E::kFolderLine, "STATIC", "", SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS | SS_NOPREFIX},
    {E::kHourRadio, "BUTTON", "Hour hand", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {E::kMinuteRadio, "BUTTON", "Minute hand", BS_AUTORADIOBUTTON},
    {E::kSecondRadio, "BUTTON", "Second hand", BS_AUTORADIOBUTTON},
    {E::kColourButton, "BUTTON", "Colour...", kButton | WS_GROUP},
    {E::kColourSwatch, "STATIC", "", SS_SUNKEN},
    {E::kSymmetricCheck, "BUTTON", "Symmetric", BS_AUTOCHECKBOX | WS_TABSTOP},
    {E::kPointList, WC_LISTVIEWA, "",
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP},
    {E::kAngleLabel, "STATIC", "Angle", SS_LEFT},
    {E::kAngleEdit, "EDIT", "", kEdit},
    {E::kPercentLabel, "STATIC", "Percent", SS_LEFT},
    {E::kPercentEdit, "EDIT", "", kEdit},
    {E::kSetButton, "BUTTON", "Set point", kButton},
    {E::kInsertButton, "BUTTON", "Insert point", kButton},
    {E::kDeleteButton, "BUTTON", "Delete point", kButton},
    {E::kBitmapLabel, "STATIC", "Face bitmap", SS_LEFT},
    {E::kBitmapEdit, "EDIT", "", kEdit | ES_READONLY},
    {E::kBrowseButton, "BUTTON", "Browse...", kButton},
    {E::kPenLabel, "STATIC", "Pen width", SS_LEFT},
    {E::kPenEdit, "EDIT", "", kEdit | ES_NUMBER},
    {E::kPenUpDown, UPDOWN_CLASSA, "",
     UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_ALIGNRIGHT},
    {E::kZoomLabel, "STATIC", "Zoom", SS_LEFT},
    {E::kZoomCombo, WC_COMBOBOXA, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {E::kSizeLabel, "STATIC", "Clock size", SS_LEFT},
    {E::kSizeCombo, WC_COMBOBOXA, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP},
    {E::kTimeLabel, "STATIC", "Time", SS_LEFT},
    {E::kTimeEdit, "EDIT", "", kEdit},
    {E::kStopButton, "BUTTON", "Stop", kButton},
    {E::kPoseButton, "BUTTON", "10:08:36", kButton},
    {E::kLiveButton, "BUTTON", "Live", kButton},
    {E::kUndoButton, "BUTTON", "Undo", kButton},
    {E::kRedoButton, "BUTTON", "Redo", kButton},
    {E::kNewButton, "BUTTON", "New skin...", kButton},
    {E::kOpenButton, "BUTTON", "Open skin folder...", kButton},
    {E::kCopyButton, "BUTTON", "Save a copy...", kButton},
    {E::kSaveButton, "BUTTON", "Save", kButton},
    {E::kSaveStartButton, "BUTTON", "Save and start clock", kButton},
    {E::kStatus, "STATIC", "", SS_LEFT | SS_NOPREFIX},
}};

const Kind& KindOf(int id) {
  for (const Kind& kind : kKinds)
    if (kind.id == id) return kind;
  return kKinds[0];
}

// How a control's width follows from its text.
enum class Fit {
  kLabel,  // its text
  kPush,   // its text and the button's border, at least 50 dialog units
  kCheck,  // the check box or radio circle and its text
  kChars,  // an edit field wide enough for `sample`
  kFill,   // what is left of the row
};
struct Cell {
  int id;
  Fit fit;
  const char* sample = nullptr;  // kChars: the longest text the field shows in full
};
struct Row {
  std::vector<Cell> cells;
  int heightDu;   // in dialog units (8 a line of text)
  bool spread;    // buttons share the panel's width
  int lines = 0;  // a list or status: this many lines of text tall instead
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows{
      {{{E::kFolderLine, Fit::kFill}}, 10, false},
      {{{E::kHourRadio, Fit::kCheck},
        {E::kMinuteRadio, Fit::kCheck},
        {E::kSecondRadio, Fit::kCheck}},
       12,
       false},
      {{{E::kColourButton, Fit::kPush},
        {E::kColourSwatch, Fit::kChars, "MMMM"},
        {E::kSymmetricCheck, Fit::kCheck}},
       14,
       false},
      {{{E::kPointList, Fit::kFill}}, 0, false, 8},
      {{{E::kAngleLabel, Fit::kLabel},
        {E::kAngleEdit, Fit::kChars, "-000000"},
        {E::kPercentLabel, Fit::kLabel},
        {E::kPercentEdit, Fit::kChars, "-000000"}},
       14,
       false},
      {{{E::kSetButton, Fit::kPush},
        {E::kInsertButton, Fit::kPush},
        {E::kDeleteButton, Fit::kPush}},
       14,
       true},
      {{{E::kBitmapLabel, Fit::kLabel},
        {E::kBitmapEdit, Fit::kFill},
        {E::kBrowseButton, Fit::kPush}},
       14,
       false},
      {{{E::kPenLabel, Fit::kLabel},
        {E::kPenEdit, Fit::kChars, "000000"},
        {E::kZoomLabel, Fit::kLabel},
        {E::kZoomCombo, Fit::kChars, "Fit"}},
       14,
       false},
      {{{E::kSizeLabel, Fit::kLabel}, {E::kSizeCombo, Fit::kChars, "Automatic"}}, 14, false},
      {{{E::kTimeLabel, Fit::kLabel},
        {E::kTimeEdit, Fit::kChars, "00:00:00"},
        {E::kStopButton, Fit::kPush},
        {E::kPoseButton, Fit::kPush},
        {E::kLiveButton, Fit::kPush}},
       14,
       false},
      {{{E::kUndoButton, Fit::kPush}, {E::kRedoButton, Fit::kPush}}, 14, true},
      {{{E::kNewButton, Fit::kPush}, {E::kOpenButton, Fit::kPush}, {E::kCopyButton, Fit::kPush}},
       14,
       true},
      {{{E::kSaveButton, Fit::kPush}, {E::kSaveStartButton, Fit::kPush}}, 14, true},
      {{{E::kStatus, Fit::kFill}}, 0, false, 4},
  };
  return rows;
}

// The font's size as dialogs measure it: the average width of the Latin letters and the
// height of a line.
struct FontUnits {
  int cx = 6, cy = 13;
  int X(int du) const { return MulDiv(du, cx, 4); }
  int Y(int du) const { return MulDiv(du, cy, 8); }
};

UINT WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (getDpi != nullptr) {
    if (const UINT dpi = getDpi(hwnd); dpi != 0) return dpi;
  }
  HDC dc = GetDC(hwnd);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(hwnd, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int SystemMetric(int index, UINT dpi) {
  using ForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = reinterpret_cast<ForDpiFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
  if (forDpi != nullptr) return forDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), 96);
}

RECT WorkAreaOf(HWND hwnd) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

// The window's outer size around a client area of that size.
SIZE OuterSize(HWND hwnd, int width, int height) {
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)));
  return {outer.right - outer.left, outer.bottom - outer.top};
}
}  // namespace

void EditorWindow::SetUpFont() {
  dpi_ = WindowDpi(hwnd_);
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTA font{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font = metrics.lfMessageFont;
  } else {
    lstrcpyA(font.lfFaceName, "MS Shell Dlg 2");
  }
  // The message font at 9 points on this window's DPI, whatever DPI the system started with.
  font.lfHeight = -MulDiv(9, static_cast<int>(dpi_), 72);
  font.lfWidth = 0;
  HFONT made = CreateFontIndirectA(&font);
  if (made == nullptr) return;
  for (const Kind& kind : kKinds)
    SendMessageA(Item(kind.id), WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = made;
}

void EditorWindow::CreateControls() {
  faceView_ = std::make_unique<Win32FaceView>(instance_, hwnd_, kFace, *this);
  for (const Kind& kind : kKinds) {
    const DWORD exStyle =
        kind.id == kPointList || std::string(kind.windowClass) == "EDIT" ? WS_EX_CLIENTEDGE : 0;
    CreateWindowExA(exStyle, kind.windowClass, kind.text, WS_CHILD | WS_VISIBLE | kind.style, 0, 0,
                    10, 10, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kind.id)),
                    instance_, nullptr);
  }
  HWND list = Item(kPointList);
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
  for (Zoom zoom : kAllZooms)
    SendMessageA(Item(kZoomCombo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ZoomName(zoom)));
  SendMessageA(Item(kZoomCombo), CB_SETCURSEL, static_cast<WPARAM>(zoom_.zoom()), 0);
  for (int16_t percent : kSizeChoices)
    SendMessageA(Item(kSizeCombo), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(SizeText(percent).c_str()));
  SendMessageA(Item(kPenUpDown), UDM_SETRANGE32, 1, 32767);
  SendMessageA(Item(kAngleEdit), EM_SETLIMITTEXT, 12, 0);
  SendMessageA(Item(kPercentEdit), EM_SETLIMITTEXT, 12, 0);
  // Last: Tab never stops on it (the focused control scrolls into view instead).
  CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, 0, 0, 10, 10, hwnd_,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPanelScroll)), instance_, nullptr);
  SetUpFont();
}

SIZE EditorWindow::LayOutPanel(int left, int top) {
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, font_);
  const auto textWidth = [&](const char* text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return static_cast<int>(size.cx);
  };
  FontUnits u;
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  u.cy = tm.tmHeight;
  u.cx = (textWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") + 26) / 52;
  const int gap = u.X(4), rowGap = u.Y(3);
  panelRow_ = u.Y(14) + rowGap;
  const int check = SystemMetric(SM_CXMENUCHECK, dpi_);
  const int scrollBar = SystemMetric(SM_CXVSCROLL, dpi_);
  const int edge = SystemMetric(SM_CXEDGE, dpi_);

  const auto natural = [&](const Cell& cell) {
    const char* text = KindOf(cell.id).text;
    switch (cell.fit) {
      case Fit::kLabel:
        return textWidth(text) + 1;
      case Fit::kPush:
        return std::max(textWidth(text) + u.X(10) + 2 * edge, u.X(40));
      case Fit::kCheck:
        return check + u.X(4) + textWidth(text) + 2 * edge;
      case Fit::kChars: {
        // The edit's frame and margins, and for the pen its up-down, the combo its button.
        int extra = 4 * edge + u.X(4);
        if (cell.id == kPenEdit) extra += scrollBar;
        if (cell.id == kZoomCombo || cell.id == kSizeCombo) extra += scrollBar;
        return textWidth(cell.sample) + extra;
      }
      case Fit::kFill:
        return u.X(30);
    }
    return 0;
  };
  int width = 0;
  for (const Row& row : Rows()) {
    int sum = 0;
    for (const Cell& cell : row.cells) sum += natural(cell);
    width = std::max(width, sum + gap * static_cast<int>(row.cells.size() - 1));
  }
  // The list's three columns in full.
  const int pointColumn = textWidth("Point") + u.X(10);
  const int numberColumn = textWidth("Percent") + u.X(10);
  width = std::max(width, pointColumn + 2 * numberColumn + scrollBar + 4 * edge);

  int y = top;
  for (const Row& row : Rows()) {
    const int height = row.lines > 0 ? row.lines * (u.cy + u.Y(2)) + u.Y(6) : u.Y(row.heightDu);
    if (left >= 0) {
      std::vector<int> widths;
      int sum = 0;
      for (const Cell& cell : row.cells) {
        widths.push_back(natural(cell));
        sum += widths.back();
      }
      int spare = width - sum - gap * static_cast<int>(row.cells.size() - 1);
      if (row.spread) {
        const int n = static_cast<int>(widths.size());
        for (int i = 0; i < n; ++i) widths[static_cast<std::size_t>(i)] += spare / n;
        widths.back() += spare % n;
      } else {
        for (std::size_t i = 0; i < row.cells.size(); ++i)
          if (row.cells[i].fit == Fit::kFill) widths[i] += spare;
      }
      int x = left;
      for (std::size_t i = 0; i < row.cells.size(); ++i) {
        const int id = row.cells[i].id;
        int h = height, dy = 0;
        if (row.cells[i].fit == Fit::kLabel) {  // a label sits on its fields' text line
          h = u.cy;
          dy = (height - u.cy) / 2;
        }
        if (id == kZoomCombo || id == kSizeCombo) h = height + 10 * u.cy;  // the list that drops
        MoveWindow(Item(id), x, y + dy, widths[i], h, FALSE);
        x += widths[i] + gap;
      }
    }
    y += height + rowGap;
  }
  if (left >= 0) {
    HWND list = Item(kPointList);
    ListView_SetColumnWidth(list, 0, pointColumn);
    ListView_SetColumnWidth(list, 1, numberColumn);
    ListView_SetColumnWidth(list, 2, numberColumn);
    // The up-down control sits on its edit field's right edge.
    SendMessageA(Item(kPenUpDown), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(kPenEdit)), 0);
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  return {width, y - rowGap - top};
}

void EditorWindow::PlaceControls() {
  const int margin = MulDiv(10, static_cast<int>(dpi_), 96);
  panel_ = LayOutPanel(-1, margin);
  RECT client{};
  GetClientRect(hwnd_, &client);
  // Too short for the panel: a scroll bar along the window's right edge moves it.
  const int height = static_cast<int>(panel_.cy) + 2 * margin;
  const bool scrolls = height > client.bottom;
  const int bar = scrolls ? SystemMetric(SM_CXVSCROLL, dpi_) : 0;
  scroll_ = scrolls ? std::clamp(scroll_, 0, height - static_cast<int>(client.bottom)) : 0;
  HWND scrollBar = Item(kPanelScroll);
  if (scrolls) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = height - 1;
    info.nPage = static_cast<UINT>(client.bottom);
    info.nPos = scroll_;
    SetScrollInfo(scrollBar, SB_CTL, &info, FALSE);
    MoveWindow(scrollBar, client.right - bar, 0, bar, client.bottom, FALSE);
  }
  ShowWindow(scrollBar, scrolls ? SW_SHOWNA : SW_HIDE);
  const int left = std::max(static_cast<int>(client.right - bar - margin - panel_.cx), 3 * margin);
  LayOutPanel(left, margin - scroll_);
  MoveWindow(faceView_->handle(), margin, margin, std::max(left - 2 * margin, 1),
             std::max(static_cast<int>(client.bottom) - 2 * margin, 1), FALSE);
  // Everything at once, the spaces between the controls too: nothing of an old place stays.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void EditorWindow::SizeToWorkArea() {
  const int margin = MulDiv(10, static_cast<int>(dpi_), 96);
  panel_ = LayOutPanel(-1, margin);
  // As tall as the panel, the face view a square beside it, or as large as the face at 1x.
  const int view = std::max(static_cast<int>(panel_.cy), std::min(face_.width(), 720));
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
  const int margin = MulDiv(10, static_cast<int>(dpi_), 96);
  const int view = MulDiv(200, static_cast<int>(dpi_), 96);
  const SIZE outer = OuterSize(
      hwnd_, 3 * margin + view + panel_.cx + SystemMetric(SM_CXVSCROLL, dpi_), 2 * margin + view);
  const RECT work = WorkAreaOf(hwnd_);
  return {std::min(static_cast<int>(outer.cx), static_cast<int>(work.right - work.left)),
          std::min(static_cast<int>(outer.cy), static_cast<int>(work.bottom - work.top))};
}

std::string EditorWindow::Text(int id) const {
  char text[1024] = {};
  GetWindowTextA(Item(id), text, sizeof text);
  return text;
}

void EditorWindow::SetText(int id, const std::string& text) {
  if (Text(id) != text) SetWindowTextA(Item(id), text.c_str());
}

void EditorWindow::ShowSkin() {
  const SkinDocument& skin = editor_.document();
  if (skin.bitmapName != faceBitmap_) {
    std::string problem;
    face_.SetPicture(OpenFacePicture(slot_, skin.bitmapName, problem));
    faceBitmap_ = skin.bitmapName;
    if (!problem.empty()) notice_ = problem + "\nThe face is plain, as the clock would show it.";
    zoom_.SetFace(face_.width());
    // The whole window again: the face's size changed under the controls.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  CheckRadioButton(hwnd_, kHourRadio, kSecondRadio, kHourRadio + static_cast<int>(hand_));
  CheckDlgButton(hwnd_, kSymmetricCheck, editor_.symmetric() ? BST_CHECKED : BST_UNCHECKED);
  if (swatch_ != nullptr) DeleteObject(swatch_);
  swatch_ = CreateSolidBrush(static_cast<COLORREF>(skin.hand(hand_).color) & 0xFFFFFF);
  InvalidateRect(Item(kColourSwatch), nullptr, TRUE);
  SetText(kBitmapEdit, skin.bitmapName);
  SetText(kPenEdit, std::to_string(skin.penWidth));
  if (GetFocus() != GetWindow(Item(kSizeCombo), GW_CHILD))  // not while the author types there
    SetText(kSizeCombo, SizeText(skin.sizePercent));
  EnableWindow(Item(kUndoButton), editor_.CanUndo());
  EnableWindow(Item(kRedoButton), editor_.CanRedo());
  ShowPoints();
  ShowFace();
}

void EditorWindow::ShowPoints() {
  const auto& points = Points();
  if (selected_ >= static_cast<int>(points.size())) selected_ = static_cast<int>(points.size()) - 1;
  HWND list = Item(kPointList);
  filling_ = true;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  for (std::size_t i = 0; i < points.size(); ++i) {
    std::array<std::string, 3> cells{std::to_string(i + 1), std::to_string(points[i].angleOffset),
                                     std::to_string(points[i].radiusPercent)};
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = cells[0].data();
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < 3; ++column) {
      item.iSubItem = column;
      item.pszText = cells[static_cast<std::size_t>(column)].data();
      SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (selected_ >= 0) {
    ListView_SetItemState(list, selected_, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, selected_, FALSE);
    SetText(kAngleEdit, std::to_string(points[static_cast<std::size_t>(selected_)].angleOffset));
    SetText(kPercentEdit,
            std::to_string(points[static_cast<std::size_t>(selected_)].radiusPercent));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  filling_ = false;
  EnableWindow(Item(kInsertButton), points.size() < static_cast<std::size_t>(HandShape::kCapacity));
  EnableWindow(Item(kSetButton), selected_ >= 0);
  EnableWindow(Item(kDeleteButton), selected_ >= 0);
}

void EditorWindow::ShowFace() {
  const TimeOfDay time = FaceTime();
  const std::string problem = face_.Draw(editor_.document(), time);
  shownSecond_ = time.seconds;
  faceView_->Show(face_.WithGuide(editor_.document(), hand_, selected_, false), zoom_,
                  Handles(zoom_, face_.DialOf(hand_), Points(), selected_));
  if (GetFocus() != Item(kTimeEdit)) SetText(kTimeEdit, TimeText(time));
  drawProblem_ = problem;
  ShowStatus();
}

void EditorWindow::ShowStatus() {
  std::string status;
  if (!drawProblem_.empty()) status += "The clock would stop on this skin: " + drawProblem_ + "\n";
  if (!notice_.empty()) status += notice_ + "\n";
  status += std::to_string(Points().size()) + " of 51 points. ";
  status += editor_.HasUnsavedChanges() ? "Changes not saved yet." : "No unsaved changes.";
  SetText(kStatus, status);
  std::error_code ec;
  SetText(kFolderLine,
          SkinFolderLine(std::filesystem::current_path(ec).string(), editor_.HasUnsavedChanges()));
}

}  // namespace quarvel
