#include "dialogpaint/font_choice.h"

#include <string>

#include "core/infodialog/dialog_font.h"

namespace quarvel {

namespace {
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

// The pattern asked for, with the configuration's and the window system's defaults filled in.
FcPattern* Wanted(int pixelSize, const std::string& family, const char* language,
                  const FontDefaults& defaults) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  if (language != nullptr)
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language));
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelSize);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  if (defaults) defaults(pattern);
  FcDefaultSubstitute(pattern);
  return pattern;
}

// After the match: the configuration's own rules for fonts would switch smoothing back on.
FcPattern* Crisp(FcPattern* font) {
  FcPatternDel(font, FC_ANTIALIAS);
  FcPatternAddBool(font, FC_ANTIALIAS, FcFalse);
  FcPatternDel(font, FC_EMBEDDED_BITMAP);
  FcPatternAddBool(font, FC_EMBEDDED_BITMAP, FcTrue);
  return font;
}
}  // namespace

FcPattern* ChooseDialogFont(int pixelSize, const FontDefaults& defaults) {
  FcResult result = FcResultNoMatch;
  for (std::string_view name : infodialog::kFaces) {
    const std::string face(name);
    FcPattern* wanted = Wanted(pixelSize, face, nullptr, defaults);
    FcPattern* match = FcFontMatch(nullptr, wanted, &result);
    FcPatternDestroy(wanted);
    if (match != nullptr && IsFamily(match, face) && HasAllGlyphs(match)) return Crisp(match);
    if (match != nullptr) FcPatternDestroy(match);
  }
  FcPattern* wanted = Wanted(pixelSize, "sans-serif", "ja", defaults);
  FcPattern* chosen = nullptr;
  if (FcFontSet* sorted = FcFontSort(nullptr, wanted, FcFalse, nullptr, &result)) {
    for (int i = 0; i < sorted->nfont && chosen == nullptr; ++i)
      if (HasAllGlyphs(sorted->fonts[i]))
        chosen = FcFontRenderPrepare(nullptr, wanted, sorted->fonts[i]);
    FcFontSetDestroy(sorted);
  }
  FcPatternDestroy(wanted);
  if (chosen == nullptr) {
    wanted = Wanted(pixelSize, "sans-serif", nullptr, defaults);
    chosen = FcFontMatch(nullptr, wanted, &result);
    FcPatternDestroy(wanted);
  }
  return chosen != nullptr ? Crisp(chosen) : nullptr;
}

}  // namespace quarvel
