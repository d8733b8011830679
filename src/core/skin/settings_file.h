#pragma once
// "settings.ini": four positional lines (home position, top-most switch, bitmap name, pen width)
// read through the list reader, and a fifth only when the user fixed the clock's size (in
// percent of the face bitmap). A reader that knows only four lines reads such a file as before,
// and a file without the fifth line is written back with four.
#include <cstdint>
#include <string>

#include "core/clockface/clock_state.h"
#include "runtime/file_slot.h"

namespace quarvel {

inline constexpr const char* kSettingsFile = "settings.ini";
inline constexpr const char* kDefaultBitmap = "qv.bmp";
inline constexpr int16_t kDefaultLineWidth = 2;

struct SavedPosition {
  int32_t left = 0;
  int32_t top = 0;
};

// Reads the settings file from the slot's folder, one statement at a time: a statement that
// fails is dropped and the next one runs, so a missing, short or damaged file still leaves every
// setting at its default. Sets `topmost` (line 2 is 0) with the line's own value in `notTopmost`,
// `bitmapPath`, `lineWidth` and `sizePercent` (a size out of range counts as none); returns the
// saved home position. Never raises a run-time error.
SavedPosition ReadSettingsValues(FileSlot& slot, ClockState& state);

// Line 2 as saved: the value read while `topmost` still agrees with it (a file holding 1 gets
// 1 back), else -1 for not top-most and 0 for top-most.
int16_t NotTopmostLine(const ClockState& state);

// The lines as the clock writes them, each ending in CR LF: "left,top", the top-most switch and
// the pen width as printed numbers, the bitmap name as held; then the size as a printed number
// when the user fixed one.
std::string SettingsText(const ClockState& state);

// Writes the settings file in one step, so a failure half-way leaves the old file whole.
// Raises the run-time error of the failure, naming the file.
void WriteSettingsFile(FileSlot& slot, const ClockState& state);

}  // namespace quarvel
