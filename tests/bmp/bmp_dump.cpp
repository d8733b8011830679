// Loads bitmap files the way the clock does (LoadImage into a DIB section) and prints the pixels
// Windows gives for them, read back as 32-bit top-down rows, for bmp_variants to compare:
//   bmp_dump <file>...   one line per file: "<file> <width> <height> RRGGBB..." or "<file> -"
#include <windows.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  HDC dc = CreateCompatibleDC(nullptr);
  for (int i = 1; i < argc; ++i) {
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, argv[i], IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP size = {};
    BITMAPINFO request = {};
    std::vector<DWORD> pixels;
    if (bitmap && GetObjectA(bitmap, sizeof size, &size)) {
      request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      request.bmiHeader.biWidth = size.bmWidth;
      request.bmiHeader.biHeight = -size.bmHeight;  // top-down
      request.bmiHeader.biPlanes = 1;
      request.bmiHeader.biBitCount = 32;
      pixels.resize(static_cast<size_t>(size.bmWidth) * size.bmHeight);
    }
    const bool read = !pixels.empty() && GetDIBits(dc, bitmap, 0, size.bmHeight, pixels.data(),
                                                   &request, DIB_RGB_COLORS) == size.bmHeight;
    if (bitmap) DeleteObject(bitmap);
    if (!read) {
      std::printf("%s -\n", argv[i]);
      continue;
    }
    std::printf("%s %ld %ld", argv[i], size.bmWidth, size.bmHeight);
    // The top byte is whatever the file's fourth byte was; the clock draws without it.
    for (DWORD pixel : pixels) std::printf(" %06lx", pixel & 0xFFFFFF);
    std::printf("\n");
  }
  DeleteDC(dc);
}
