#pragma once
// The first-run dialog on Windows: the designed layout built as a native dialog with its banner.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace quarvel {

// Shows the first-run dialog modally and returns when it is closed. The clock window's timers
// keep ticking inside its event loop.
void ShowWin32InfoDialog(HINSTANCE instance, HWND owner, float twipsPerPixelX,
                         float twipsPerPixelY);

}  // namespace quarvel
