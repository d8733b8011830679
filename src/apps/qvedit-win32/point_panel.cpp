#include "apps/qvedit-win32/point_panel.h"

#include <algorithm>
#include <array>
#include <string>

#include "apps/qvedit-win32/control_ids.h"
#include "apps/qvedit-win32/panel_controls.h"
#include "apps/qvedit-win32/panel_layout.h"
#include "apps/qvedit-win32/window_metrics.h"

namespace quarvel {

namespace {
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;

struct ListColumns {
  int point;
  int number;  // Angle and Percent
};
ListColumns Columns(const PanelLayout& layout) {
  return {layout.TextWidth("Point") + layout.X(10), layout.TextWidth("Percent") + layout.X(10)};
}

// The list's three columns in full, beside its scroll bar.
int ListWidth(const PanelLayout& layout) {
  const ListColumns columns = Columns(layout);
  return columns.point + 2 * columns.number + SystemMetric(SM_CXVSCROLL, layout.dpi()) +
         4 * SystemMetric(SM_CXEDGE, layout.dpi());
}

void SizeColumns(HWND parent, const PanelLayout& layout) {
  const ListColumns columns = Columns(layout);
  HWND list = GetDlgItem(parent, kPointList);
  ListView_SetColumnWidth(list, 0, columns.point);
  ListView_SetColumnWidth(list, 1, columns.number);
  ListView_SetColumnWidth(list, 2, columns.number);
}
}  // namespace

const PanelPart& PointPanel::Part() {
  static const PanelPart part{
      {{kPointList, WC_LISTVIEWA, "",
        LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP},
       {kAngleLabel, "STATIC", "Angle", SS_LEFT},
       {kAngleEdit, "EDIT", "", kEdit},
       {kPercentLabel, "STATIC", "Percent", SS_LEFT},
       {kPercentEdit, "EDIT", "", kEdit},
       {kSetButton, "BUTTON", "Set point", kButton},
       {kInsertButton, "BUTTON", "Insert point", kButton},
       {kDeleteButton, "BUTTON", "Delete point", kButton}},
      {{{{kPointList, Fit::kFill}}, 0, false, 8},
       {{{kAngleLabel, Fit::kLabel},
         {kAngleEdit, Fit::kChars, "-000000"},
         {kPercentLabel, Fit::kLabel},
         {kPercentEdit, Fit::kChars, "-000000"}},
        14,
        false},
       {{{kSetButton, Fit::kPush}, {kInsertButton, Fit::kPush}, {kDeleteButton, Fit::kPush}},
        14,
        true}},
      &ListWidth,
      &SizeColumns};
  return part;
}

void PointPanel::SetUp() {
  HWND list = Item(kPointList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const std::array<const char*, 3> names{"Point", "Angle", "Percent"};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(names[static_cast<std::size_t>(i)]);
    column.cx = 60;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
  SendMessageA(Item(kAngleEdit), EM_SETLIMITTEXT, 12, 0);
  SendMessageA(Item(kPercentEdit), EM_SETLIMITTEXT, 12, 0);
}

void PointPanel::Show() {
  const auto& points = session_.Points();
  const int selected = session_.selected();
  FillList();
  if (selected >= 0) {
    const ShapePoint& point = points[static_cast<std::size_t>(selected)];
    SetItemText(parent_, kAngleEdit, std::to_string(point.angleOffset));
    SetItemText(parent_, kPercentEdit, std::to_string(point.radiusPercent));
  }
  EnableWindow(Item(kInsertButton), points.size() < static_cast<std::size_t>(HandShape::kCapacity));
  EnableWindow(Item(kSetButton), selected >= 0);
  EnableWindow(Item(kDeleteButton), selected >= 0);
}

void PointPanel::FillList() {
  const auto& points = session_.Points();
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
  if (const int selected = session_.selected(); selected >= 0) {
    ListView_SetItemState(list, selected, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, selected, FALSE);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  filling_ = false;
}

bool PointPanel::OnClick(int id) {
  switch (id) {
    case kSetButton:
    case kInsertButton:
      ApplyFields(id == kInsertButton);
      return true;
    case kDeleteButton:
      session_.DeleteSelected();
      return true;
    default:
      return false;
  }
}

bool PointPanel::OnEnter(HWND focus) {
  if (focus != Item(kAngleEdit) && focus != Item(kPercentEdit)) return false;
  ApplyFields(false);
  return true;
}

void PointPanel::OnListNotify(const NMHDR& header) {
  if (filling_) return;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0)
      session_.Select(change.iItem);
  } else if (header.code == LVN_KEYDOWN &&
             reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
    session_.DeleteSelected();
  }
}

void PointPanel::ApplyFields(bool insert) {
  const auto angle = ItemNumber(parent_, kAngleEdit);
  const auto percent = ItemNumber(parent_, kPercentEdit);
  std::optional<ShapePoint> typed;
  if (angle && percent) typed = ShapePoint{*angle, *percent};
  session_.ApplyPointFields(typed, insert);
}

}  // namespace quarvel
