#include "apps/qvedit-win32/panel_layout.h"

#include <algorithm>
#include <vector>

#include "apps/qvedit-win32/panel_controls.h"
#include "apps/qvedit-win32/window_metrics.h"

namespace quarvel {

PanelLayout::PanelLayout(HWND parent, HFONT font, UINT dpi, const PanelForm& form)
    : parent_(parent),
      dc_(GetDC(parent)),
      oldFont_(SelectObject(dc_, font)),
      dpi_(dpi),
      form_(form) {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc_, &tm);
  cy_ = tm.tmHeight;
  cx_ = (TextWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") + 26) / 52;
  gap_ = X(4);
  rowGap_ = Y(3);
  scrollRow_ = Y(14) + rowGap_;
  for (const PanelPart* part : form_) {
    for (const PanelRow& row : part->rows) {
      int sum = 0;
      for (const PanelCell& cell : row.cells) sum += Natural(cell);
      width_ = std::max(width_, sum + gap_ * static_cast<int>(row.cells.size() - 1));
      height_ += Height(row) + rowGap_;
    }
    if (part->leastWidth != nullptr) width_ = std::max(width_, part->leastWidth(*this));
  }
  height_ -= rowGap_;
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
  const char* text = ControlText(form_, cell.id);
  const int edge = SystemMetric(SM_CXEDGE, dpi_);
  // An edit's frame and margins.
  const int field = TextWidth(cell.sample == nullptr ? "" : cell.sample) + 4 * edge + X(4);
  switch (cell.fit) {
    case Fit::kLabel:
      return TextWidth(text) + 1;
    case Fit::kPush:
      return std::max(TextWidth(text) + X(10) + 2 * edge, X(40));
    case Fit::kCheck:
      return SystemMetric(SM_CXMENUCHECK, dpi_) + X(4) + TextWidth(text) + 2 * edge;
    case Fit::kChars:
      return field;
    case Fit::kSpinField:
    case Fit::kComboBox:
      return field + SystemMetric(SM_CXVSCROLL, dpi_);
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
  for (const PanelPart* part : form_) {
    for (const PanelRow& row : part->rows) {
      PlaceRow(row, left, y);
      y += Height(row) + rowGap_;
    }
    if (part->placed != nullptr) part->placed(parent_, *this);
  }
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
    const Fit fit = row.cells[i].fit;
    int h = height, dy = 0;
    if (fit == Fit::kLabel) {  // a label sits on its fields' text line
      h = cy_;
      dy = (height - cy_) / 2;
    }
    if (fit == Fit::kComboBox) h = height + 10 * cy_;  // the list that drops
    MoveWindow(GetDlgItem(parent_, row.cells[i].id), x, top + dy, widths[i], h, FALSE);
    x += widths[i] + gap_;
  }
}

}  // namespace quarvel
