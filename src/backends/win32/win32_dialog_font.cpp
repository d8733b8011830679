// Which faces exist and which glyphs they have, asked of GDI on a memory device context.
#include "backends/win32/win32_dialog_font.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/infodialog/dialog_font.h"

namespace quarvel {

namespace {
std::wstring Wide(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

// The characters the texts need, in UTF-16.
std::wstring TextCharacters() {
  std::wstring text;
  for (char32_t c : infodialog::TextCharacters()) {
    if (c < 0x10000) {
      text.push_back(static_cast<wchar_t>(c));
    } else {
      text.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
      text.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  return text;
}

struct Found {
  std::optional<BYTE> charset;  // of the face's first entry; Shift JIS where it has it
  std::vector<std::wstring> faces;
};

int CALLBACK OnFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM context) {
  auto& found = *reinterpret_cast<Found*>(context);
  if (!found.charset || font->lfCharSet == SHIFTJIS_CHARSET) found.charset = font->lfCharSet;
  // A family once, without the faces for vertical writing ("@...").
  if (font->lfFaceName[0] != L'@' &&
      (found.faces.empty() || found.faces.back() != font->lfFaceName))
    found.faces.emplace_back(font->lfFaceName);
  return 1;
}

Found Enumerate(HDC dc, const std::wstring& face, BYTE charset) {
  LOGFONTW wanted{};
  wanted.lfCharSet = charset;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  Found found;
  EnumFontFamiliesExW(dc, &wanted, &OnFont, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The font made, when it has a glyph for every character; else nothing. (Its name is not
// compared: Windows may give a Japanese face's name in Japanese.)
HFONT Usable(HDC dc, const LOGFONTW& font, const std::wstring& characters) {
  HFONT handle = CreateFontIndirectW(&font);
  if (handle == nullptr) return nullptr;
  const HGDIOBJ old = SelectObject(dc, handle);
  std::vector<WORD> glyphs(characters.size());
  const bool all = GetGlyphIndicesW(dc, characters.c_str(), static_cast<int>(characters.size()),
                                    glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR &&
                   std::find(glyphs.begin(), glyphs.end(), WORD{0xFFFF}) == glyphs.end();
  SelectObject(dc, old);
  if (all) return handle;
  DeleteObject(handle);
  return nullptr;
}

LOGFONTW Font(int height, const std::wstring& face, BYTE charset) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = charset;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return font;
}

HFONT Choose(HDC dc, int height) {
  const std::wstring characters = TextCharacters();
  for (std::string_view name : infodialog::kFaces) {
    const std::wstring face = Wide(name);
    Found found = Enumerate(dc, face, SHIFTJIS_CHARSET);
    if (!found.charset) found = Enumerate(dc, face, DEFAULT_CHARSET);
    if (!found.charset) continue;
    if (HFONT font = Usable(dc, Font(height, face, *found.charset), characters)) return font;
  }
  for (const std::wstring& face : Enumerate(dc, L"", SHIFTJIS_CHARSET).faces)
    if (HFONT font = Usable(dc, Font(height, face, SHIFTJIS_CHARSET), characters)) return font;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW message = Font(height, L"MS Shell Dlg", DEFAULT_CHARSET);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    message = metrics.lfMessageFont;
    message.lfHeight = height;  // the dialog's size, not the system's
    message.lfWidth = 0;
  }
  return CreateFontIndirectW(&message);
}
}  // namespace

HFONT CreateDialogFont(int height) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = Choose(dc, height);
  DeleteDC(dc);
  return font;
}

}  // namespace quarvel
