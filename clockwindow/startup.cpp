// The clock window's start-up: hand files, settings (with the first-run dialog), the bitmap,
// the round window of the bitmap's width, the pen, the layer and the saved place.
#include "clockface/hand_shapes.h"
#include "clockwindow/file_exists.h"
#include "clockwindow/form1.h"
#include "clockwindow/topmost.h"
#include "clockwindow/twips.h"
#include "runtime/ignore_errors.h"

namespace quarvel {

SavedPosition Form1::ReadSettings() {
  // A first run is decided by the program's own folder; the values come from the working
  // directory, where they are also written back.
  IgnoreErrors([&] {
    if (FileExists(system_, system_.ProgramFolder() + "\\" + kSettingsFile) == 0)
      system_.ShowInfoDialog();
  });
  return ReadSettingsValues(slot_, state_);
}

void Form1::Load() {
  LoadHandShapes(state_, slot_);

  SavedPosition saved;
  IgnoreErrors([&] { saved = ReadSettings(); });
  const std::string bitmap = slot_.Resolve(state_.bitmapPath);
  IgnoreErrors([&] { window_.LoadMeasuringPicture(bitmap); });
  IgnoreErrors([&] { window_.LoadBackgroundPicture(bitmap); });
  // The window is a square as wide as the bitmap, whatever the bitmap's height.
  IgnoreErrors([&] { state_.faceDiameter = Round32(window_.MeasuringPictureWidth()); });
  const float fx = system_.TwipsPerPixelX();
  const float fy = system_.TwipsPerPixelY();
  IgnoreErrors([&] { window_.SetWidthTwips(PixelsToTwips(fx, state_.faceDiameter)); });
  IgnoreErrors([&] { window_.SetHeightTwips(PixelsToTwips(fy, state_.faceDiameter)); });
  IgnoreErrors([&] { window_.SetEllipticRegion(state_.faceDiameter); });
  // A pen below 1 pixel is refused and the designed pen stays.
  IgnoreErrors([&] { window_.SetDrawWidth(state_.lineWidth); });
  IgnoreErrors([&] {
    if (state_.notTopmost == 0) SetTopmost(window_, 1);
  });
  IgnoreErrors([&] { window_.SetLeftTwips(PixelsToTwips(fx, saved.left)); });
  IgnoreErrors([&] { window_.SetTopTwips(PixelsToTwips(fy, saved.top)); });
  // Read back from the placed window, so they hold where it really is.
  IgnoreErrors([&] { state_.windowLeft = TwipsToPixels(window_.LeftTwips(), fx); });
  IgnoreErrors([&] { state_.windowTop = TwipsToPixels(window_.TopTwips(), fy); });
  window_.Show();
}

}  // namespace quarvel
