#include "dialogpaint/line_breaks.h"

#include <linebreak.h>

namespace quarvel {

std::vector<std::string> WrapText(std::string_view text, int width, const TextMeasure& measure) {
  static const bool initialised = (init_linebreak(), true);
  (void)initialised;
  std::vector<char> breaks(text.size());
  set_linebreaks_utf8(reinterpret_cast<const utf8_t*>(text.data()), text.size(), "ja",
                      breaks.data());
  std::vector<std::string> lines;
  std::size_t start = 0;      // where the line begins
  std::size_t lastFit = 0;    // the end of the longest piece that fits, at a character's end
  std::size_t lastBreak = 0;  // the end of the longest piece that fits and may end the line
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (breaks[i] == LINEBREAK_INSIDEACHAR) continue;
    const std::size_t end = i + 1;
    std::string_view piece = text.substr(start, end - start);
    while (!piece.empty() && (piece.back() == '\n' || piece.back() == '\r')) piece.remove_suffix(1);
    // Blanks at the end take no room: the line would be broken after them.
    std::string_view ink = piece;
    while (!ink.empty() && ink.back() == ' ') ink.remove_suffix(1);
    if (measure(ink) > width && lastFit > start) {
      // Too long: end the line at the last break, or inside the word when there is none.
      const std::size_t cut = lastBreak > start ? lastBreak : lastFit;
      std::string_view line = text.substr(start, cut - start);
      while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
      lines.emplace_back(line);
      start = cut;
      while (start < text.size() && text[start] == ' ') ++start;
      lastFit = lastBreak = start;
      i = start - 1;  // measure again from the new line's start
      continue;
    }
    lastFit = end;
    if (breaks[i] == LINEBREAK_ALLOWBREAK) lastBreak = end;
    if (breaks[i] == LINEBREAK_MUSTBREAK && end < text.size()) {
      lines.emplace_back(piece);
      start = lastFit = lastBreak = end;
    }
  }
  std::string_view rest = text.substr(start);
  while (!rest.empty() && (rest.back() == '\n' || rest.back() == '\r')) rest.remove_suffix(1);
  if (!rest.empty()) lines.emplace_back(rest);
  return lines;
}

}  // namespace quarvel
