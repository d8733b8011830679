#include "dialogpaint/message_layout.h"

#include <algorithm>

namespace quarvel {

namespace {
// The box's look in pixels at 96 dpi: Windows' margins and its standard button.
constexpr int kMargin = 12;
constexpr int kLongestLine = 360;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
}  // namespace

MessageLayout LayOutMessage(std::string_view text, const TextMeasure& measure, int lineHeight,
                            float twipsPerPixel) {
  auto px = [&](int pixelsAt96Dpi) {
    return infodialog::ScaledFrom96Dpi(pixelsAt96Dpi, twipsPerPixel);
  };
  MessageLayout layout;
  int textWidth = 0;
  for (const std::string& line : WrapText(text, px(kLongestLine), measure))
    textWidth = std::max(textWidth, measure(line)), layout.lines.push_back(line);
  const int textHeight = static_cast<int>(layout.lines.size()) * lineHeight;
  layout.width = std::max(textWidth, px(kButtonWidth)) + 2 * px(kMargin);
  layout.height = textHeight + px(kButtonHeight) + 3 * px(kMargin);
  layout.text = {px(kMargin), px(kMargin), textWidth + 1, textHeight};
  layout.button = {(layout.width - px(kButtonWidth)) / 2, textHeight + 2 * px(kMargin),
                   px(kButtonWidth), px(kButtonHeight)};
  return layout;
}

}  // namespace quarvel
