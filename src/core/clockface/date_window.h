#pragma once
// The date's window on the face: the day of the month in a small framed box, its digits from a
// pixel font of the clock's own, so every build and the preview draw the same pixels. The
// window is painted into the background the hands are drawn over, anew only when the day, the
// size or the picture changes; a second that moves only the hands costs nothing more.
#include "core/clockface/clock_state.h"
#include "core/clockface/face_canvas.h"
#include "platform/clock.h"
#include "platform/platform_types.h"

namespace quarvel {

// The box the window covers, before any picture clips it.
ImageRect DateWindowBox(const DateWindow& window);

// Paints the window onto a picture, clipped to it.
void PaintDateWindow(PixelImage& picture, const DateWindow& window);

// With the date on, reads the clock once and puts its day into the canvas's background when that is
// not the window there (a new day, place or colour, a new picture or size); with it off, takes any
// window away without reading the clock. A background changed so is presented whole
// (FaceCanvas::BackgroundVersion).
void ShowDate(ClockState& state, FaceCanvas& canvas, Clock& clock);

}  // namespace quarvel
