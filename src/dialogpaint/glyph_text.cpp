#include "dialogpaint/glyph_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "core/infodialog/dialog_font.h"
#include "dialogpaint/font_choice.h"
#include "dialogpaint/line_breaks.h"

namespace quarvel {

namespace {
bool PatternBool(FcPattern* pattern, const char* name, bool otherwise) {
  FcBool value = otherwise ? FcTrue : FcFalse;
  FcPatternGetBool(pattern, name, 0, &value);
  return value != FcFalse;
}

// Xft's rounding of the face's metrics: the ascent up, the descent down.
int CeilPixels(long value) {
  return static_cast<int>((value + 63) >> 6);
}
int FloorPixels(long value) {
  return static_cast<int>(value >> 6);
}
}  // namespace

GlyphText::GlyphText(int pixelSize) {
  FcPattern* chosen = ChooseDialogFont(pixelSize, {});
  FcChar8* file = nullptr;
  if (chosen == nullptr || FcPatternGetString(chosen, FC_FILE, 0, &file) != FcResultMatch ||
      FT_Init_FreeType(&library_) != 0) {
    if (chosen != nullptr) FcPatternDestroy(chosen);
    return;
  }
  int index = 0;
  FcPatternGetInteger(chosen, FC_INDEX, 0, &index);
  double size = pixelSize;
  FcPatternGetDouble(chosen, FC_PIXEL_SIZE, 0, &size);
  // As Xft loads a glyph for a face drawn without smoothing.
  loadFlags_ = FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO;
  if (!PatternBool(chosen, FC_HINTING, true)) loadFlags_ |= FT_LOAD_NO_HINTING;
  if (PatternBool(chosen, FC_AUTOHINT, false)) loadFlags_ |= FT_LOAD_FORCE_AUTOHINT;
  if (!PatternBool(chosen, FC_EMBEDDED_BITMAP, true)) loadFlags_ |= FT_LOAD_NO_BITMAP;
  if (FT_New_Face(library_, reinterpret_cast<const char*>(file), index, &face_) != 0) {
    face_ = nullptr;
  } else {
    const auto height = static_cast<FT_F26Dot6>(size * 64 + 0.5);
    FT_Set_Char_Size(face_, height, height, 72, 72);  // at 72 dpi a point is a pixel
    ascent_ = CeilPixels(face_->size->metrics.ascender);
    descent_ = -FloorPixels(face_->size->metrics.descender);
  }
  FcPatternDestroy(chosen);
}

GlyphText::~GlyphText() {
  if (face_ != nullptr) FT_Done_Face(face_);
  if (library_ != nullptr) FT_Done_FreeType(library_);
}

bool GlyphText::LoadGlyph(char32_t c) const {
  if (face_ == nullptr) return false;
  return FT_Load_Glyph(face_, FT_Get_Char_Index(face_, c), loadFlags_) == 0;
}

int GlyphText::Width(std::string_view utf8) const {
  int width = 0;
  for (char32_t c : infodialog::DecodeUtf8(utf8))
    if (LoadGlyph(c)) width += static_cast<int>((face_->glyph->advance.x + 32) >> 6);
  return width;
}

std::vector<std::string> GlyphText::Wrap(std::string_view utf8, int width) const {
  return WrapText(utf8, width, [this](std::string_view piece) { return Width(piece); });
}

void GlyphText::Draw(PixelImage& image, int x, int baseline, std::string_view utf8, Pixel colour,
                     const ImageRect& clip) const {
  const int left = std::max(clip.left, 0), right = std::min(clip.right, image.width);
  const int top = std::max(clip.top, 0), bottom = std::min(clip.bottom, image.height);
  for (char32_t c : infodialog::DecodeUtf8(utf8)) {
    if (!LoadGlyph(c)) continue;
    FT_GlyphSlot glyph = face_->glyph;
    if (glyph->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(glyph, FT_RENDER_MODE_MONO) != 0)
      continue;
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int originX = x + glyph->bitmap_left, originY = baseline - glyph->bitmap_top;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
      const int py = originY + row;
      if (py < top || py >= bottom) continue;
      const unsigned char* bits = bitmap.buffer + row * bitmap.pitch;
      for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
        const int px = originX + column;
        if (px < left || px >= right) continue;
        const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                             ? (bits[column >> 3] & (0x80 >> (column & 7))) != 0
                             : bits[column] >= 128;
        if (ink)
          image.pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(image.width) +
                       static_cast<std::size_t>(px)] = colour;
      }
    }
    x += static_cast<int>((glyph->advance.x + 32) >> 6);
  }
}

}  // namespace quarvel
