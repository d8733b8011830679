#include "platform/x11/x11_text.h"

#include <fontconfig/fontconfig.h>
#include <linebreak.h>

namespace quarvel {

namespace {
std::vector<X11Font*>& OpenFonts() {
  static std::vector<X11Font*> fonts;
  return fonts;
}

// Characters the dialog's texts need: hiragana, katakana and kanji.
bool HasJapaneseGlyphs(FcPattern* font) {
  FcCharSet* charset = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) return false;
  for (FcChar32 c : {0x3042u, 0x30ADu, 0x6642u, 0x8A08u})  // あ キ 時 計
    if (!FcCharSetHasChar(charset, c)) return false;
  return true;
}

FcPattern* MatchFont(Display* display, int screen, int pixelSize, const char* language) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language));
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelSize);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  XftDefaultSubstitute(display, screen, pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return nullptr;
  // After the match: the configuration's own rules for fonts would switch smoothing back on.
  FcPatternDel(match, FC_ANTIALIAS);
  FcPatternAddBool(match, FC_ANTIALIAS, FcFalse);
  FcPatternDel(match, FC_EMBEDDED_BITMAP);
  FcPatternAddBool(match, FC_EMBEDDED_BITMAP, FcTrue);
  return match;
}
}  // namespace

X11Font::X11Font(Display* display, int screen, int pixelSize) : display_(display) {
  FcPattern* chosen = nullptr;
  for (const char* language : {"ja", "zh-cn", "zh-tw", "ko"}) {
    FcPattern* match = MatchFont(display, screen, pixelSize, language);
    if (match == nullptr) continue;
    if (chosen == nullptr) {
      chosen = match;  // kept when no font has the glyphs: boxes beat no dialog
    } else if (HasJapaneseGlyphs(match)) {
      FcPatternDestroy(chosen);
      chosen = match;
    } else {
      FcPatternDestroy(match);
    }
    if (HasJapaneseGlyphs(chosen)) break;
  }
  if (chosen != nullptr) font_ = XftFontOpenPattern(display, chosen);  // owns the pattern now
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
    if (Width(piece) > width && lastFit > start) {
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
