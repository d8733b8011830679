#pragma once
// The font of the first-run dialog's controls, chosen as core/infodialog/dialog_font.h orders it.
#include <windows.h>

namespace quarvel {

// A new font (the caller deletes it) of that height in pixels (negative: the em, as in
// LOGFONT): the first face of infodialog::kFaces that the system has (EnumFontFamiliesEx, for
// the Japanese character set and then for any) with a glyph for every character of the texts;
// else any Japanese face that has them all; else the system's message font, through which
// Windows' font linking may still draw what it lacks.
HFONT CreateDialogFont(int height);

}  // namespace quarvel
