#include "platform/win32/win32_pixels.h"

namespace quarvel {

void PaintPixels(HDC dc, const PixelImage& picture) {
  if (picture.empty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(picture.width), static_cast<DWORD>(picture.height),
                    0, 0, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &info,
                    DIB_RGB_COLORS);
}

}  // namespace quarvel
