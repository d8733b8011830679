#pragma once
// Text for the dialog and the message boxes: a font with the texts' glyphs found through
// fontconfig, drawn with Xft, broken into lines where Unicode allows (libunibreak).
#include <X11/Xft/Xft.h>

#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

class X11Font {
 public:
  // The face core/infodialog/dialog_font.h orders (one with a glyph for every character of the
  // texts) at this pixel size. Drawn like Windows' 9-point UI font: crisp, from the font's own
  // bitmaps where it has them, without smoothing.
  X11Font(Display* display, int screen, int pixelSize);
  ~X11Font();
  X11Font(const X11Font&) = delete;
  X11Font& operator=(const X11Font&) = delete;

  // Closes every font still open. The process may end from inside a window that holds one (a
  // close while the dialog or a message box is up), and fontconfig can be finalized only once
  // no font holds its data. The fonts are unusable afterwards.
  static void CloseAll();

  XftFont* get() const { return font_; }
  int ascent() const { return font_->ascent; }
  int lineHeight() const { return font_->ascent + font_->descent; }
  int Width(std::string_view utf8) const;
  // The text's lines within `width` pixels (WrapText, line_breaks.h).
  std::vector<std::string> Wrap(std::string_view utf8, int width) const;

 private:
  Display* display_;
  XftFont* font_ = nullptr;
};

}  // namespace quarvel
