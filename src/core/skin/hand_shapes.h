#pragma once
// The hand shape files: "tyou.sin" (minute hand), "tan.sin" (hour hand), "byou.sin" (second
// hand). Each holds the hand's colour followed by up to 51 (angle offset, radius percent) pairs.
#include "core/clockface/clock_state.h"
#include "runtime/file_slot.h"

namespace quarvel {

inline constexpr const char* kMinuteHandFile = "tyou.sin";
inline constexpr const char* kHourHandFile = "tan.sin";
inline constexpr const char* kSecondHandFile = "byou.sin";

// Reads one hand file through the slot into a colour and a shape. Raises the run-time error of
// the first thing that is wrong, naming the file; the slot is closed again either way.
void LoadHandShape(FileSlot& slot, const char* fileName, ColorRef& color, HandShape& shape);

// Reads the three hand files, in the order minute, hour, second. The first failure stops the
// load: the files after it are not opened.
void LoadHandShapes(ClockState& state, FileSlot& slot);

}  // namespace quarvel
