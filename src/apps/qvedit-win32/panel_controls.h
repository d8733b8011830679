#pragma once
// The controls of the editor's panel: made once from the form's parts, in their order (the tab
// order), the font set on all of them at the window's DPI, and their texts read and written.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "apps/qvedit-win32/panel_form.h"

namespace quarvel {

void CreatePanelControls(HWND parent, HINSTANCE instance, const PanelForm& form);
// The message font at 9 points on `dpi`, set on every control; nothing when it can't be made.
HFONT MakePanelFont(HWND parent, UINT dpi, const PanelForm& form);
// A control's fixed text ("" for one that shows the skin).
const char* ControlText(const PanelForm& form, int id);

std::string ItemText(HWND parent, int id);
// Only a changed text is written: the caret of a field being read stays where it is.
void SetItemText(HWND parent, int id, const std::string& text);
// The control's text as a whole number, spaces around it and a leading '+' allowed.
std::optional<int32_t> ItemNumber(HWND parent, int id);

}  // namespace quarvel
