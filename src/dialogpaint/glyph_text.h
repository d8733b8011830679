#pragma once
// The dialogs' texts drawn into pixels with FreeType, in the face fontconfig chose
// (font_choice.h): one-bit glyphs (the font's own bitmaps where it has them), measured and
// placed as Xft places them, so a window system without Xft shows the same letters.
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform_types.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace quarvel {

class GlyphText {
 public:
  // The dialogs' face at this pixel size; with no usable font at all, texts take no room and
  // draw nothing.
  explicit GlyphText(int pixelSize);
  ~GlyphText();
  GlyphText(const GlyphText&) = delete;
  GlyphText& operator=(const GlyphText&) = delete;

  bool loaded() const { return face_ != nullptr; }
  int ascent() const { return ascent_; }
  int lineHeight() const { return ascent_ + descent_; }
  // The advance of the whole text in pixels.
  int Width(std::string_view utf8) const;
  // The text's lines within `width` pixels (WrapText, line_breaks.h).
  std::vector<std::string> Wrap(std::string_view utf8, int width) const;
  // Sets the pixels the glyphs ink to `colour`, the first glyph's origin at x on `baseline`,
  // only inside `clip`.
  void Draw(PixelImage& image, int x, int baseline, std::string_view utf8, Pixel colour,
            const ImageRect& clip) const;

 private:
  bool LoadGlyph(char32_t c) const;

  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  int loadFlags_ = 0;
  int ascent_ = 0;
  int descent_ = 0;
};

}  // namespace quarvel
