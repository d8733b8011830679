#pragma once
// A message box's client area as Windows lays one out, in pixels at the screen's twips per
// pixel: the text wrapped within its longest line, the margins, and the one button centred under
// it. Every Linux window system's box is built from this.
#include <string>
#include <string_view>
#include <vector>

#include "core/infodialog/dialog_layout.h"
#include "dialogpaint/line_breaks.h"

namespace quarvel {

struct MessageLayout {
  std::vector<std::string> lines;  // as measured: wrapped again, they could break elsewhere
  infodialog::PixelRect text;
  infodialog::PixelRect button;
  int width = 0;
  int height = 0;
};

MessageLayout LayOutMessage(std::string_view text, const TextMeasure& measure, int lineHeight,
                            float twipsPerPixel);

}  // namespace quarvel
