#pragma once
// The editor panel's form, told part by part: each part (a panel of the editor, or the window's
// own rows) names its controls in the tab order and its rows as they stand top to bottom; the
// window puts the parts in their order, which is the panel's order and the tab order.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

namespace quarvel {

class PanelLayout;

// A control made once: its class, fixed text ("" for one that shows the skin) and style.
struct ControlKind {
  int id;
  const char* windowClass;
  const char* text;
  DWORD style;
};

// How a control's width follows from its text.
enum class Fit {
  kLabel,      // its text
  kPush,       // its text and the button's border, at least 50 dialog units
  kCheck,      // the check box or radio circle and its text
  kChars,      // an edit field wide enough for `sample`
  kSpinField,  // kChars and the up-down on its right edge
  kComboBox,   // kChars and the button; its list drops below it
  kFill,       // what is left of the row
};
struct PanelCell {
  int id;
  Fit fit;
  const char* sample = nullptr;  // kChars and the like: the longest text shown in full
};
struct PanelRow {
  std::vector<PanelCell> cells;
  int heightDu;   // in dialog units (8 a line of text)
  bool spread;    // buttons share the panel's width
  int lines = 0;  // a list or status: this many lines of text tall instead
};

struct PanelPart {
  std::vector<ControlKind> kinds;  // in the tab order
  std::vector<PanelRow> rows;
  // What the rows can't say: the least width the part needs (0: its rows'), and what it sets
  // once its rows are placed (a list's columns, an up-down's buddy).
  int (*leastWidth)(const PanelLayout& layout) = nullptr;
  void (*placed)(HWND parent, const PanelLayout& layout) = nullptr;
};

// The parts in the panel's order.
using PanelForm = std::vector<const PanelPart*>;

}  // namespace quarvel
