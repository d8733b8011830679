#include "backends/x11/x11_text.h"

#include <fontconfig/fontconfig.h>

#include "dialogpaint/font_choice.h"
#include "dialogpaint/line_breaks.h"

namespace quarvel {

namespace {
std::vector<X11Font*>& OpenFonts() {
  static std::vector<X11Font*> fonts;
  return fonts;
}

// On a screen with a colour map (Xvfb at 8 bits) glyphs drawn through Render came out as
// solid bars; Xft's drawing through the core protocol draws the letters.
FcPattern* ForScreen(Display* display, int screen, FcPattern* font) {
  if (font != nullptr && DefaultVisual(display, screen)->c_class != TrueColor) {
    FcPatternDel(font, XFT_RENDER);
    FcPatternAddBool(font, XFT_RENDER, FcFalse);
  }
  return font;
}
}  // namespace

X11Font::X11Font(Display* display, int screen, int pixelSize) : display_(display) {
  FcPattern* chosen = ChooseDialogFont(pixelSize, [display, screen](FcPattern* wanted) {
    XftDefaultSubstitute(display, screen, wanted);
  });
  if (ForScreen(display, screen, chosen) != nullptr)
    font_ = XftFontOpenPattern(display, chosen);  // owns the pattern now
  if (font_ == nullptr) font_ = XftFontOpenName(display, screen, "sans-serif");
  OpenFonts().push_back(this);
}

X11Font::~X11Font() {
  std::erase(OpenFonts(), this);
  if (font_ != nullptr) XftFontClose(display_, font_);
}

void X11Font::CloseAll() {
  for (X11Font* font : OpenFonts()) {
    if (font->font_ != nullptr) XftFontClose(font->display_, font->font_);
    font->font_ = nullptr;
  }
  OpenFonts().clear();
}

int X11Font::Width(std::string_view utf8) const {
  XGlyphInfo extents{};
  XftTextExtentsUtf8(display_, font_, reinterpret_cast<const FcChar8*>(utf8.data()),
                     static_cast<int>(utf8.size()), &extents);
  return extents.xOff;
}

std::vector<std::string> X11Font::Wrap(std::string_view text, int width) const {
  return WrapText(text, width, [this](std::string_view piece) { return Width(piece); });
}

}  // namespace quarvel
