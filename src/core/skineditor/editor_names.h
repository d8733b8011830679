#pragma once
// The names the clock and its editor find each other by.
#include "core/clockwindow/form1.h"

namespace quarvel {

// The clock waits for a top-level window with this title after starting the editor.
inline constexpr const char* kEditorTitle = Form1::kEditorWindowTitle;
// The editor starts the clock from its own folder under this name.
inline constexpr const char* kClockProgram = "quarvel.exe";
// The Linux editor finds the clock beside itself or on the search path under this name.
inline constexpr const char* kLinuxClockProgram = "quarvel";

}  // namespace quarvel
