#pragma once
// The core's pixels on a Win32 device context: they are a 32-bit top-down DIB as they stand
// (0x00RRGGBB), so they go to the screen without a copy of their own.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/platform_types.h"

namespace quarvel {

// Paints the picture with its top-left corner at (0, 0); nothing for an empty one.
void PaintPixels(HDC dc, const PixelImage& picture);
// Only the part `part` of it, at the same place.
void PaintPixels(HDC dc, const PixelImage& picture, const ImageRect& part);

}  // namespace quarvel
