#include "apps/qvedit-win32/panel_layout.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "apps/qvedit-win32/control_ids.h"
#include "apps/qvedit-win32/panel_controls.h"
#include "apps/qvedit-win32/window_metrics.h"

namespace quarvel {

// How a control's width follows from its text.
enum class Fit {
  kLabel,  // its text
  kPush,   // its text and the button's border, at least 50 dialog units
  kCheck,  // the check box or radio circle and its text
  kChars,  // an edit field wide enough for `sample`
  kFill,   // what is left of the row
};
struct PanelCell {
  int id;
  Fit fit;
  const char* sample = nullptr;  // kChars: the longest text the field shows in full
};
struct PanelRow {
  std::vector<PanelCell> cells;
  int heightDu;   // in dialog units (8 a line of text)
  bool spread;    // buttons share the panel's width
  int lines = 0;  // a list or status: this many lines of text tall instead
};

namespace {
const std::vector<PanelRow>& Rows() {
  static const std::vector<PanelRow> rows{
      {{{kFolderLine, Fit::kFill}}, 10, false},
      {{{kHourRadio, Fit::kCheck}, {kMinuteRadio, Fit::kCheck}, {kSecondRadio, Fit::kCheck}},
       12,
       false},
      {{{kColourButton, Fit::kPush},
        {kColourSwatch, Fit::kChars, "MMMM"},
        {kSymmetricCheck, Fit::kCheck}},
       14,
       false},
      {{{kPointList, Fit::kFill}}, 0, false, 8},
      {{{kAngleLabel, Fit::kLabel},
        {kAngleEdit, Fit::kChars, "-000000"},
        {kPercentLabel, Fit::kLabel},
        {kPercentEdit, Fit::kChars, "-000000"}},
       14,
       false},
      {{{kSetButton, Fit::kPush}, {kInsertButton, Fit::kPush}, {kDeleteButton, Fit::kPush}},
       14,
       true},
      {{{kBitmapLabel, Fit::kLabel}, {kBitmapEdit, Fit::kFill}, {kBrowseButton, Fit::kPush}},
       14,
       false},
      {{{kPenLabel, Fit::kLabel},
        {kPenEdit, Fit::kChars, "000000"},
        {kZoomLabel, Fit::kLabel},
        {kZoomCombo, Fit::kChars, "Fit"}},
       14,
       false},
      {{{kSizeLabel, Fit::kLabel}, {kSizeCombo, Fit::kChars, "Automatic"}}, 14, false},
      {{{kTimeLabel, Fit::kLabel},
        {kTimeEdit, Fit::kChars, "00:00:00"},
        {kStopButton, Fit::kPush},
        {kPoseButton, Fit::kPush},
        {kLiveButton, Fit::kPush}},
       14,
       false},
      {{{kUndoButton, Fit::kPush}, {kRedoButton, Fit::kPush}}, 14, true},
      {{{kNewButton, Fit::kPush}, {kOpenButton, Fit::kPush}, {kCopyButton, Fit::kPush}}, 14, true},
      {{{kSaveButton, Fit::kPush}, {kSaveStartButton, Fit::kPush}}, 14, true},
      {{{kStatus, Fit::kFill}}, 0, false, 4},
  };
  return rows;
}
}  // namespace

PanelLayout::PanelLayout(HWND parent, HFONT font, UINT dpi)
    : parent_(parent), dc_(GetDC(parent)), oldFont_(SelectObject(dc_, font)), dpi_(dpi) {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc_, &tm);
  cy_ = tm.tmHeight;
  cx_ = (TextWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") + 26) / 52;
  gap_ = X(4);
  rowGap_ = Y(3);
  scrollRow_ = Y(14) + rowGap_;
  for (const PanelRow& row : Rows()) {
    int sum = 0;
    for (const PanelCell& cell : row.cells) sum += Natural(cell);
    width_ = std::max(width_, sum + gap_ * static_cast<int>(row.cells.size() - 1));
    height_ += Height(row) + rowGap_;
  }
  height_ -= rowGap_;
  // The list's three columns in full.
  pointColumn_ = TextWidth("Point") + X(10);
  numberColumn_ = TextWidth("Percent") + X(10);
  width_ = std::max(width_, pointColumn_ + 2 * numberColumn_ + SystemMetric(SM_CXVSCROLL, dpi_) +
                                4 * SystemMetric(SM_CXEDGE, dpi_));
}

PanelLayout::~PanelLayout() {
  SelectObject(dc_, oldFont_);
  ReleaseDC(parent_, dc_);
}

int PanelLayout::TextWidth(const char* text) const {
  SIZE size{};
  GetTextExtentPoint32A(dc_, text, lstrlenA(text), &size);
  return static_cast<int>(size.cx);
}

int PanelLayout::Natural(const PanelCell& cell) const {
  const char* text = ControlText(cell.id);
  const int edge = SystemMetric(SM_CXEDGE, dpi_);
  switch (cell.fit) {
    case Fit::kLabel:
      return TextWidth(text) + 1;
    case Fit::kPush:
      return std::max(TextWidth(text) + X(10) + 2 * edge, X(40));
    case Fit::kCheck:
      return SystemMetric(SM_CXMENUCHECK, dpi_) + X(4) + TextWidth(text) + 2 * edge;
    case Fit::kChars: {
      // The edit's frame and margins, and for the pen its up-down, the combo its button.
      int extra = 4 * edge + X(4);
      if (cell.id == kPenEdit || cell.id == kZoomCombo || cell.id == kSizeCombo)
        extra += SystemMetric(SM_CXVSCROLL, dpi_);
      return TextWidth(cell.sample) + extra;
    }
    case Fit::kFill:
      return X(30);
  }
  return 0;
}

int PanelLayout::Height(const PanelRow& row) const {
  return row.lines > 0 ? row.lines * (cy_ + Y(2)) + Y(6) : Y(row.heightDu);
}

void PanelLayout::Place(int left, int top) const {
  int y = top;
  for (const PanelRow& row : Rows()) {
    PlaceRow(row, left, y);
    y += Height(row) + rowGap_;
  }
  HWND list = GetDlgItem(parent_, kPointList);
  ListView_SetColumnWidth(list, 0, pointColumn_);
  ListView_SetColumnWidth(list, 1, numberColumn_);
  ListView_SetColumnWidth(list, 2, numberColumn_);
  // The up-down control sits on its edit field's right edge.
  SendMessageA(GetDlgItem(parent_, kPenUpDown), UDM_SETBUDDY,
               reinterpret_cast<WPARAM>(GetDlgItem(parent_, kPenEdit)), 0);
}

void PanelLayout::PlaceRow(const PanelRow& row, int left, int top) const {
  const int height = Height(row);
  std::vector<int> widths;
  int sum = 0;
  for (const PanelCell& cell : row.cells) {
    widths.push_back(Natural(cell));
    sum += widths.back();
  }
  const int spare = width_ - sum - gap_ * static_cast<int>(row.cells.size() - 1);
  const int n = static_cast<int>(widths.size());
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    if (row.spread) widths[i] += spare / n;
    if (!row.spread && row.cells[i].fit == Fit::kFill) widths[i] += spare;
  }
  if (row.spread) widths.back() += spare % n;
  int x = left;
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    const int id = row.cells[i].id;
    int h = height, dy = 0;
    if (row.cells[i].fit == Fit::kLabel) {  // a label sits on its fields' text line
      h = cy_;
      dy = (height - cy_) / 2;
    }
    if (id == kZoomCombo || id == kSizeCombo) h = height + 10 * cy_;  // the list that drops
    MoveWindow(GetDlgItem(parent_, id), x, top + dy, widths[i], h, FALSE);
    x += widths[i] + gap_;
  }
}

}  // namespace quarvel
