#pragma once
// The face as the editor shows it: how large (fit, 1x, 2x, 4x), where in the view, and which
// face pixel lies under which screen pixel. Each face pixel becomes a block of whole screen
// pixels (nearest neighbour), so a pixel stays a pixel; the handles on the points keep their
// screen size at every zoom, and hit tests are measured in screen pixels.
#include <vector>

#include "core/clockface/clock_state.h"
#include "platform/platform_types.h"

namespace quarvel {

enum class Zoom { kFit, kOne, kTwo, kFour };
inline constexpr Zoom kAllZooms[] = {Zoom::kFit, Zoom::kOne, Zoom::kTwo, Zoom::kFour};
const char* ZoomName(Zoom zoom);  // "Fit", "1x", "2x", "4x"

// A handle's half width in screen pixels, whatever the zoom; and how far from a point or the
// outline a press still counts, in screen pixels.
inline constexpr int kHandleRadius = 4;
inline constexpr int kPointReach = 7;
inline constexpr int kOutlineReach = 5;

struct FacePlace {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const FacePlace&) const = default;
};

class FaceZoom {
 public:
  void SetFace(int faceWidth);          // the face is a square this many pixels across
  void SetView(int width, int height);  // the view's client area in screen pixels
  void SetZoom(Zoom zoom);
  Zoom zoom() const { return zoom_; }

  // Screen pixels per face pixel as a fraction: whole numbers, except a face larger than the
  // view at Fit, which shrinks.
  int scaleNumerator() const { return numerator_; }
  int scaleDenominator() const { return denominator_; }
  // Where the whole face lies on the view: centred when it fits, else placed by the scroll.
  FacePlace FaceRect() const;

  // The scroll of a face larger than the view, in screen pixels from its top-left corner; kept
  // within the face. ScrollTo keeps the face pixel at the middle of the view across a change of
  // zoom when the caller passes what MiddleFacePixel gave before.
  int scrollX() const { return scrollX_; }
  int scrollY() const { return scrollY_; }
  void ScrollTo(int x, int y);
  ScreenPoint MiddleFacePixel() const;
  void CentreOn(ScreenPoint facePixel);

  // The middle of a face pixel's block on the screen, and the face pixel under a screen pixel
  // (outside the face: the pixel it would be, beyond the edges).
  ScreenPoint ToScreen(ScreenPoint facePixel) const;
  ScreenPoint ToFace(ScreenPoint screenPixel) const;

 private:
  void Update();

  int face_ = 1;
  int viewWidth_ = 1, viewHeight_ = 1;
  Zoom zoom_ = Zoom::kFit;
  int numerator_ = 1, denominator_ = 1;
  int scrollX_ = 0, scrollY_ = 0;
};

// A handle on a point, at its place on the screen.
struct Handle {
  ScreenPoint centre;
  bool selected = false;
};
// The handles of a hand's points (a point the clock's arithmetic can't place has none).
std::vector<Handle> Handles(const FaceZoom& zoom, const ClockState& dial,
                            const std::vector<ShapePoint>& points, int selected);
// The point under a screen pixel, within kPointReach screen pixels (later points win a tie),
// and the first point of the nearest segment of the outline within kOutlineReach (a new point
// goes in after it), measured on the screen. -1 for none.
int PointAtScreen(const FaceZoom& zoom, const ClockState& dial,
                  const std::vector<ShapePoint>& points, ScreenPoint at);
int SegmentAtScreen(const FaceZoom& zoom, const ClockState& dial,
                    const std::vector<ShapePoint>& points, ScreenPoint at);
// The point whose pixel lies nearest to the face pixel under a screen pixel.
ShapePoint PointFromScreen(const FaceZoom& zoom, const ClockState& dial, ScreenPoint at);

}  // namespace quarvel
