#pragma once
// The editor's live face: the skin drawn by the clock's own face redraw on a canvas like the
// clock's, so the author sees exactly what the clock will show, and over a copy of it the guide
// for the hand being shaped.
#include <cstdint>
#include <string>

#include "core/clockface/face_canvas.h"
#include "core/skineditor/dial_frame.h"
#include "core/skineditor/skin_document.h"
#include "platform/clock.h"

namespace quarvel {

class SkinFace {
 public:
  SkinFace();

  // The face bitmap; an empty picture gives the clock's plain face, 105 pixels across.
  void SetPicture(PixelImage picture);
  // The face is a square this wide, as the clock's window is.
  int32_t width() const { return width_; }

  // Draws the skin at `time` as the clock's redraw would. Returns the clock's report when the
  // redraw would stop the clock half-way (the face then shows what was drawn up to there), or
  // an empty text.
  std::string Draw(const SkinDocument& document, TimeOfDay time);
  const PixelImage& pixels() const { return canvas_.pixels(); }

  // The dial a hand was last drawn on: its centre, radius and direction.
  ClockState DialOf(HandId hand) const;

  // The face with a faint guide for one hand: its direction, its 0, 50 and 100 % circles, and a
  // marker on each of its points (the selected one filled; -1 for none). Without markers for a
  // view that zooms and draws its handles at their own size (face_zoom.h).
  PixelImage WithGuide(const SkinDocument& document, HandId hand, int selected,
                       bool markers = true) const;

 private:
  FaceCanvas canvas_;
  int32_t width_;
  HandPositions positions_;
};

}  // namespace quarvel
