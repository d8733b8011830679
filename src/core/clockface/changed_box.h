#pragma once
// What changed between two drawings of the hands on the same dial: the box of every line drawn
// in one of them and not alike in the other. A line drawn alike in both leaves its pixels as
// they were (the lines are drawn again in the same order), so only the hands that moved reach
// the screen, and only their part of the canvas is drawn again.
#include <vector>

#include "core/clockface/face_canvas.h"
#include "platform/platform_types.h"

namespace quarvel {

// The pixels a line's pen may cover, clipped to a picture of width x height.
ImageRect LineBox(const DrawnSegment& line, int width, int height);

// The whole picture when the lines both drawings share come in another order: where two of them
// cross, the later one's colour shows.
ChangedPart ChangedRows(const std::vector<DrawnSegment>& before,
                        const std::vector<DrawnSegment>& after, int width, int height);
inline ImageRect ChangedBox(const std::vector<DrawnSegment>& before,
                            const std::vector<DrawnSegment>& after, int width, int height) {
  return ChangedRows(before, after, width, height).box;
}

}  // namespace quarvel
