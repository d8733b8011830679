#include "core/infodialog/dialog_layout.h"

#include <algorithm>

#include "runtime/checked_math.h"

namespace quarvel::infodialog {

namespace {
int Px(int twips, float factor) {
  return Round32(twips / static_cast<double>(factor));
}

const ControlLayout* Find(std::string_view name) {
  for (const ControlLayout& c : kControls)
    if (c.name == name) return &c;
  return nullptr;
}
}  // namespace

PixelRect ControlRect(const ControlLayout& control, float fx, float fy) {
  int left = control.left, top = control.top;
  for (const ControlLayout* parent = Find(control.container); parent != nullptr;
       parent = Find(parent->container)) {
    left += parent->left;
    top += parent->top;
  }
  return {Px(left, fx), Px(top, fy), Px(control.width, fx), Px(control.height, fy)};
}

PixelRect DialogClientRect(float fx, float fy) {
  return {Px(kDialog.clientLeft, fx), Px(kDialog.clientTop, fy), Px(kDialog.clientWidth, fx),
          Px(kDialog.clientHeight, fy)};
}

PixelRect KeptOnWorkArea(const PixelRect& outer, const PixelRect& work) {
  const auto fit = [](int wanted, int from, int room, int size) {
    return std::max(from, std::min(wanted, from + room - size));
  };
  return {fit(outer.x, work.x, work.width, outer.width),
          fit(outer.y, work.y, work.height, outer.height), outer.width, outer.height};
}

int FontPixelHeight(float fy) {
  // Windows' own rule for a font's points at the screen's dpi, MulDiv(points, 1440, 72ths of a
  // twip per pixel): rounded half away from zero, so 100 dpi's 12.5 pixels are 13.
  const int per72 = std::max(1, static_cast<int>(fy * 72));
  return (2 * kFontPoints * 1440 + per72) / (2 * per72);
}

int ScaledFrom96Dpi(int pixelsAt96Dpi, float twipsPerPixel) {
  constexpr int kTwipsPerPixelAt96Dpi = 15;
  return Px(pixelsAt96Dpi * kTwipsPerPixelAt96Dpi, twipsPerPixel);
}

std::string ReadmeFailureText(std::string_view command, std::string_view reason) {
  std::string text = "\"";
  text.append(command).append("\" could not be started (").append(reason).append(").");
  return text;
}

Message ReadmeFailureMessage(std::string_view command, std::string_view reason) {
  return {.caption = std::string(kDialog.caption),
          .text = ReadmeFailureText(command, reason),
          .button = kMessageButton,
          .topmost = true};
}

}  // namespace quarvel::infodialog
