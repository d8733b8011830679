#pragma once
// The dialogs' font as fontconfig finds it, in the order core/infodialog/dialog_font.h gives:
// one choice for every Linux window system, so the X11 and the Wayland dialogs draw the same
// glyphs.
#include <fontconfig/fontconfig.h>

#include <functional>

namespace quarvel {

// The window system's own defaults for a pattern asked for (Xft's on X11), after the
// configuration's.
using FontDefaults = std::function<void(FcPattern*)>;

// The first of the ordered faces installed with every glyph the texts need; else the first
// font with them all in fontconfig's order for Japanese; else the desktop's sans-serif, for the
// Latin texts. At pixelSize, drawn like Windows' UI font: crisp (no smoothing), from the font's
// own bitmaps where it has them. The caller owns the pattern; nothing when fontconfig has no
// font at all.
FcPattern* ChooseDialogFont(int pixelSize, const FontDefaults& defaults);

}  // namespace quarvel
