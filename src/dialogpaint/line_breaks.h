#pragma once
// Breaking a text into lines of a given width where Unicode allows it (libunibreak), for the
// dialog's labels and the message boxes; the width of a piece of text comes from the caller
// (the font), so the rule is the same whatever measures it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

// The pixel width of a piece of UTF-8 text.
using TextMeasure = std::function<int(std::string_view)>;

// The text's lines within `width` pixels: broken at line breaks, and where a line would be too
// long at the last place Unicode allows a break (between Japanese characters, at blanks), or
// inside a word that is wider than the line on its own. Blanks where a line is broken end the
// line without taking room (as in Windows' word wrap) and are not part of it; so the lines come
// out the same at any width from their widest one up to `width`.
std::vector<std::string> WrapText(std::string_view text, int width, const TextMeasure& measure);

}  // namespace quarvel
