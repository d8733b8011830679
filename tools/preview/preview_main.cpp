// quarvel-preview: draws one face redraw exactly as the clock would, from the hand files and
// "settings.ini" of the current folder, and writes it as a PNG and/or lists every line drawn.
// Skin authors use it to see a skin without starting the clock; tests use it as the port to
// the exact geometry.
#include <cstdio>
#include <string>
#include <vector>

#include "clockface/face_redraw.h"
#include "clockface/hand_shapes.h"
#include "clockwindow/settings_file.h"
#include "platform/headless/headless_image.h"
#include "platform/headless/headless_surface.h"
#include "platform/platform_window.h"
#include "runtime/checked_math.h"
#include "runtime/ignore_errors.h"
#include "runtime/runtime_error.h"
#include "tools/preview/preview_options.h"

namespace {

constexpr const char* kUsage =
    "usage: quarvel-preview [--time HH:MM:SS] [--size WxH] [--png FILE] [--segments]\n"
    "Run it in a folder with tyou.sin, tan.sin and byou.sin (and optionally settings.ini and\n"
    "the face bitmap). It draws the face at the given time (default: now) on a drawing area\n"
    "of WxH pixels (default: a square as wide as the bitmap, as the clock window is).\n"
    "  --png FILE   write the picture as PNG\n"
    "  --segments   print every line drawn: x1 y1 x2 y2 colour width\n";

int Run(const quarvel::PreviewOptions& options) {
  using namespace quarvel;
  ClockState state;
  FileSlot slot;
  LoadHandShapes(state, slot);
  ReadSettingsValues(slot, state);

  HeadlessImage picture;
  IgnoreErrors([&] { picture = LoadImageFile(state.bitmapPath); });
  // Without a picture the clock keeps its measuring box's designed width (105 px at 96 dpi).
  const int side = picture.empty() ? Round32(kDesignedPictureWidthTwips / 15.0) : picture.width;
  HeadlessSurface surface(options.width > 0 ? options.width : side,
                          options.height > 0 ? options.height : side);
  surface.SetBackgroundPicture(std::move(picture));
  // A width below 1 is refused, and the window keeps its designed pen of 1.
  IgnoreErrors([&] { surface.SetDrawWidth(state.lineWidth); });

  SystemClock systemClock;
  StoppedClock clock(options.time.value_or(systemClock.Now()));
  RedrawFace(state, surface, clock);

  if (!options.pngPath.empty()) WritePng(surface.pixels(), options.pngPath);
  if (options.segments) {
    for (const DrawnSegment& s : surface.segments())
      std::printf("%d %d %d %d %d %d\n", s.x1, s.y1, s.x2, s.y2, s.color, s.width);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  quarvel::PreviewOptions options;
  std::string problem = quarvel::ParsePreviewOptions(args, options);
  if (!problem.empty()) {
    std::fprintf(stderr, "quarvel-preview: %s\n%s", problem.c_str(), kUsage);
    return 2;
  }
  try {
    return Run(options);
  } catch (const quarvel::RuntimeError& e) {
    std::fprintf(stderr, "quarvel-preview: %s\n", e.what());
    return 1;
  }
}
