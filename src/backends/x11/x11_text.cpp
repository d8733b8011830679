#include "backends/x11/x11_text.h"

#include <fontconfig/fontconfig.h>

#include "backends/x11/x11_line_breaks.h"
#include "core/infodialog/dialog_font.h"

namespace quarvel {

namespace {
std::vector<X11Font*>& OpenFonts() {
  static std::vector<X11Font*> fonts;
  return fonts;
}

// A glyph for every character of the texts, Latin and Japanese alike.
bool HasAllGlyphs(FcPattern* font) {
  FcCharSet* charset = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) return false;
  for (char32_t c : infodialog::TextCharacters())
    if (!FcCharSetHasChar(charset, c)) return false;
  return true;
}

// That family itself, not the configuration's stand-in for it.
bool IsFamily(FcPattern* font, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0)
      return true;
  return false;
}

// The pattern asked for, with the configuration's and Xft's defaults filled in.
FcPattern* Wanted(Display* display, int screen, int pixelSize, const std::string& family,
                  const char* language) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  if (language != nullptr)
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language));
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelSize);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  XftDefaultSubstitute(display, screen, pattern);
  return pattern;
}

// Drawn like Windows' UI font. After the match: the configuration's own rules for fonts would
// switch smoothing back on.
FcPattern* Crisp(Display* display, int screen, FcPattern* font) {
  FcPatternDel(font, FC_ANTIALIAS);
  FcPatternAddBool(font, FC_ANTIALIAS, FcFalse);
  FcPatternDel(font, FC_EMBEDDED_BITMAP);
  FcPatternAddBool(font, FC_EMBEDDED_BITMAP, FcTrue);
  // On a screen with a colour map (Xvfb at 8 bits) glyphs drawn through Render came out as
  // solid bars; Xft's drawing through the core protocol draws the letters.
  if (DefaultVisual(display, screen)->c_class != TrueColor) {
    FcPatternDel(font, XFT_RENDER);
    FcPatternAddBool(font, XFT_RENDER, FcFalse);
  }
  return font;
}

// As core/infodialog/dialog_font.h orders it: the first of its faces that is installed with every
// glyph; else the first font with them all in fontconfig's order for Japanese; else the
// desktop's sans-serif, for the Latin texts.
FcPattern* ChooseFont(Display* display, int screen, int pixelSize) {
  FcResult result = FcResultNoMatch;
  for (std::string_view name : infodialog::kFaces) {
    const std::string face(name);
    FcPattern* wanted = Wanted(display, screen, pixelSize, face, nullptr);
    FcPattern* match = FcFontMatch(nullptr, wanted, &result);
    FcPatternDestroy(wanted);
    if (match != nullptr && IsFamily(match, face) && HasAllGlyphs(match))
      return Crisp(display, screen, match);
    if (match != nullptr) FcPatternDestroy(match);
  }
  FcPattern* wanted = Wanted(display, screen, pixelSize, "sans-serif", "ja");
  FcPattern* chosen = nullptr;
  if (FcFontSet* sorted = FcFontSort(nullptr, wanted, FcFalse, nullptr, &result)) {
    for (int i = 0; i < sorted->nfont && chosen == nullptr; ++i)
      if (HasAllGlyphs(sorted->fonts[i]))
        chosen = FcFontRenderPrepare(nullptr, wanted, sorted->fonts[i]);
    FcFontSetDestroy(sorted);
  }
  FcPatternDestroy(wanted);
  if (chosen == nullptr) {
    wanted = Wanted(display, screen, pixelSize, "sans-serif", nullptr);
    chosen = FcFontMatch(nullptr, wanted, &result);
    FcPatternDestroy(wanted);
  }
  return chosen != nullptr ? Crisp(display, screen, chosen) : nullptr;
}
}  // namespace

X11Font::X11Font(Display* display, int screen, int pixelSize) : display_(display) {
  if (FcPattern* chosen = ChooseFont(display, screen, pixelSize))
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
