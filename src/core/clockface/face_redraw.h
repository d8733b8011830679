#pragma once
// The face redraw and the second tick: wipe the window back to its picture, measure the dial,
// and draw the hour, minute and second hands, each from a fresh reading of the clock.
#include <cstdint>

#include "core/clockface/clock_state.h"
#include "core/clockface/face_canvas.h"
#include "platform/clock.h"

namespace quarvel {

// The still face divides the minutes by 70 so the hour hand stays short of the next hour mark
// until the full hour; the laps use 60.
inline constexpr int kFaceHourDivisor = 70;
inline constexpr int kLapHourDivisor = 60;

// The hour hand's position on the 60-tick dial. Reads the clock three times: the afternoon
// test, the hours, the minutes.
int16_t HourPosition(Clock& clock, int divisor);

// Draws one outline with the pen as the caller left it (callers put it up first).
void DrawHand(ClockState& state, FaceCanvas& canvas, const HandShape& shape);

// One hand the way the redraw and the lap frames both draw it: fore colour, direction at full
// radius, pen up, outline.
void DrawHandAt(ClockState& state, FaceCanvas& canvas, ColorRef color, int16_t position,
                const HandShape& shape);

// The seconds hand only when `state.secondsHand` is on; the date's window when `state.date` is.
void RedrawFace(ClockState& state, FaceCanvas& canvas, Clock& clock);

// One tick of the 10 ms timer: redraws when the seconds differ from `lastSecond` (or, without a
// seconds hand, the minutes from `lastMinute`), then stores a fresh reading of both. Returns
// whether it redrew, so the window can run its pointer test right after the redraw and on no other
// tick.
bool SecondTick(ClockState& state, FaceCanvas& canvas, Clock& clock);

}  // namespace quarvel
