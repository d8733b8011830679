#pragma once
// The controls of the editor's panel: made once, in the layout's order (the tab order), with
// their fixed texts, lists and limits; the font set on all of them at the window's DPI.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "core/skineditor/face_zoom.h"

namespace quarvel {

void CreatePanelControls(HWND parent, HINSTANCE instance, Zoom zoom);
// The message font at 9 points on `dpi`, set on every control; nothing when it can't be made.
HFONT MakePanelFont(HWND parent, UINT dpi);
// A control's fixed text ("" for one that shows the skin).
const char* ControlText(int id);

}  // namespace quarvel
