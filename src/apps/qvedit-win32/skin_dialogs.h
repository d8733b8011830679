#pragma once
// The system's common dialogs and message boxes as the editor uses them.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <optional>
#include <string>

#include "core/skineditor/leave_skin.h"
#include "platform/platform_types.h"

namespace quarvel {

// The colour dialog, opened full on the hand's colour; nothing when it is cancelled.
std::optional<ColorRef> PickColour(HWND owner, ColorRef current);

// The open dialog for a BMP file: its full path, or nothing when it is cancelled.
std::optional<std::string> PickBitmap(HWND owner);

void ShowProblem(HWND owner, const std::string& text);

// A folder from the system's folder dialog, which can make one; nothing when it is cancelled.
std::optional<std::string> PickFolder(HWND owner, const char* title);

// "Save them before <doing>?"
CloseChoice AskBeforeLeaving(HWND owner, const std::string& doing);

// Edits kept when the editor was ended last time: true to restore them (Yes, or the box closed),
// false to discard them (No).
bool AskRestore(HWND owner, const std::string& folder);

}  // namespace quarvel
