// The clock window's start-up: hand files, settings (with the first-run dialog) and options,
// the bitmap, the round window of the bitmap's width, the pen, the layer and the saved place;
// and the same sizing again when the window moves to a monitor of another scale.
#include "core/clockface/face_redraw.h"
#include "core/clockface/face_scale.h"
#include "core/clockwindow/file_exists.h"
#include "core/clockwindow/form1.h"
#include "core/clockwindow/screen_place.h"
#include "core/clockwindow/topmost.h"
#include "core/clockwindow/twips.h"
#include "core/skin/face_picture.h"
#include "core/skin/hand_shapes.h"
#include "core/skin/zone_option.h"
#include "runtime/ignore_errors.h"

namespace quarvel {

SavedPosition Form1::ReadSettings() {
  // A first run is decided by the work folder (the program's own folder on Windows); the values
  // come from the working directory, where they are also written back.
  IgnoreErrors([&] {
    const std::string folder = workFolder_.empty() ? system_.ProgramFolder() : workFolder_;
    if (FileExists(system_, system_.JoinPath(folder, kSettingsFile)) == kFalse)
      system_.ShowInfoDialog();
  });
  return ReadSettingsValues(slot_, state_);
}

PixelImage Form1::LoadScaledFace() {
  PixelImage face = LoadFacePicture(FacePicturePath(slot_, state_.bitmapPath), state_.bitmapPath);
  const int32_t width = ScaledLength(face.width, state_.scale);
  const int32_t height = ScaledLength(face.height, state_.scale);
  // At 2x and above a sharp face drawn at twice the size, when the skin has one, is resampled
  // instead; one of another size, or one that doesn't load, is passed over.
  if (state_.scale >= kSharpFaceScale) {
    try {
      const std::string sharpName = SharpFaceName(state_.bitmapPath);
      PixelImage sharp = LoadFacePicture(FacePicturePath(slot_, sharpName), sharpName);
      if (sharp.width == Mul32(face.width, 2) && sharp.height == Mul32(face.height, 2))
        return ResamplePicture(sharp, width, height);
    } catch (const RuntimeError&) {
    }
  }
  return ResamplePicture(face, width, height);
}

bool Form1::Load() {
  try {
    LoadHandShapes(state_, slot_);
  } catch (const RuntimeError& error) {
    // Where the clock looked: started from another folder (a shortcut that names none), it
    // finds no hand files there. A folder that could not be set up is the likely cause: the
    // user hears why.
    const std::string folder = slot_.FolderShown();
    const std::string& problem = workFolderProblem_;
    std::string note =
        folder.empty() ? folder : "The clock reads its hand files from the folder " + folder + ".";
    if (!problem.empty())
      note = "The clock's folder could not be set up: " + problem + "." +
             (note.empty() ? "" : "\n\n" + note);
    Fail(error, note);
    return false;
  }

  SavedPosition saved;
  IgnoreErrors([&] { saved = ReadSettings(); });
  OptionsFile optionsFile = ReadOptionsFile(slot_);
  UseOptionsTimeZone(optionsFile, clock_);
  options_ = optionsFile.options;
  state_.secondsHand = options_.secondsHand;
  state_.date = options_.date;
  state_.datePlace = options_.datePlace;
  state_.dateColor = options_.dateColor;
  // A layer chosen in the options is where the clock opens; A still switches it to the
  // top-most layer and back for the run. settings.ini keeps its own line for the switch.
  if (options_.layer != ClockLayer::kTopmost) state_.topmost = false;
  openedTopmost_ = state_.topmost;
  state_.scale =
      ChooseScale(system_.ScaleSetting(), state_.sizePercent, system_.DrawsAtScreenDpi(), twips_.x);
  SizeToScale();
  PresentWhole();
  IgnoreErrors([&] {
    if (state_.topmost) SetTopmost(window_, 1);
    if (options_.layer == ClockLayer::kBelow) SetTopmost(window_, 0, WindowLayer::kBelow);
  });
  IgnoreErrors([&] {
    if (options_.opacityPercent != kMaxOpacityPercent) window_.SetOpacity(options_.opacityPercent);
    if (options_.allWorkspaces) window_.SetOnAllWorkspaces(true);
  });
  chimedHour_ = clock_.Now().hours;  // a clock started at the full hour does not chime
  IgnoreErrors([&] {
    const ScreenPoint place =
        PlaceOnScreen({saved.left, saved.top}, state_.faceDiameter, system_.Monitors());
    window_.MoveTo(ThroughTwips(twips_.x, place.x), ThroughTwips(twips_.y, place.y));
  });
  // Read back from the placed window, so they hold where it really is.
  IgnoreErrors([&] {
    const ScreenPoint placed = window_.Position();
    state_.windowLeft = ThroughTwips(twips_.x, placed.x);
    state_.windowTop = ThroughTwips(twips_.y, placed.y);
  });
  loaded_ = true;
  window_.Show();
  return true;
}

void Form1::SizeToScale() {
  // The measuring picture box keeps its designed width while it has no picture: a missing or
  // broken bitmap gives a plain window of that width.
  // That width already follows the screen's dpi; a scale the user set instead of the screen's
  // takes it the rest of the way.
  const float screenScale = system_.DrawsAtScreenDpi() ? ScaleForScreen(twips_.x) : 1.0f;
  int32_t measured =
      ScaledLength(TwipsToPixels(kDesignedPictureWidthTwips, twips_.x), state_.scale / screenScale);
  IgnoreErrors([&] {
    PixelImage picture = LoadScaledFace();
    measured = picture.width;
    canvas_.SetBackgroundPicture(std::move(picture));
  });
  // The window is a square as wide as the (scaled) bitmap, whatever the bitmap's height.
  state_.faceDiameter = measured;
  IgnoreErrors([&] {
    const int32_t width = ThroughTwips(twips_.x, state_.faceDiameter);
    const int32_t height = ThroughTwips(twips_.y, state_.faceDiameter);
    canvas_.Resize(width, height);  // first: a face too large for memory leaves both as they were
    window_.Resize(width, height);
  });
  IgnoreErrors([&] { window_.SetRoundRegion(state_.faceDiameter); });
  // A pen below 1 pixel is refused and the designed pen stays; settings.ini keeps the skin's.
  IgnoreErrors([&] { canvas_.SetDrawWidth(ScaledPenWidth(state_.lineWidth, state_.scale)); });
}

void Form1::OnScreenScaleChanged() {
  Guarded([&] {
    if (!loaded_ || !system_.DrawsAtScreenDpi()) return;
    twips_ = system_.ScreenTwipsPerPixel();
    const float scale = ChooseScale(system_.ScaleSetting(), state_.sizePercent, true, twips_.x);
    if (scale == state_.scale) return;
    state_.scale = scale;
    SizeToScale();
    RedrawFace(state_, canvas_, clock_);
    PresentWhole();
  });
}

}  // namespace quarvel
