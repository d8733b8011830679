#include "apps/qvedit-win32/panel_controls.h"
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <charconv>
#include <string_view>

namespace quarvel {

namespace {
// Fields and lists are sunken into the panel.
DWORD ExStyle(const ControlKind& kind) {
  const std::string_view windowClass = kind.windowClass;
  return windowClass == "EDIT" || windowClass == WC_LISTVIEWA ? WS_EX_CLIENTEDGE : 0;
}
}  // namespace

const char* ControlText(const PanelForm& form, int id) {
  for (const PanelPart* part : form)
    for (const ControlKind& kind : part->kinds)
      if (kind.id == id) return kind.text;
  return "";
}

void CreatePanelControls(HWND parent, HINSTANCE instance, const PanelForm& form) {
  for (const PanelPart* part : form)
    for (const ControlKind& kind : part->kinds)
      CreateWindowExA(ExStyle(kind), kind.windowClass, kind.text,
                      WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 10, 10, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kind.id)), instance, nullptr);
}

HFONT MakePanelFont(HWND parent, UINT dpi, const PanelForm& form) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTA font{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font = metrics.lfMessageFont;
  } else {
    lstrcpyA(font.lfFaceName, "MS Shell Dlg 2");
  }
  // The message font at 9 points on this window's DPI, whatever DPI the system started with.
  font.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
  font.lfWidth = 0;
  HFONT made = CreateFontIndirectA(&font);
  if (made == nullptr) return nullptr;
  for (const PanelPart* part : form)
    for (const ControlKind& kind : part->kinds)
      SendMessageA(GetDlgItem(parent, kind.id), WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
  return made;
}

std::string ItemText(HWND parent, int id) {
  char text[1024] = {};
  GetWindowTextA(GetDlgItem(parent, id), text, sizeof text);
  return text;
}

void SetItemText(HWND parent, int id, const std::string& text) {
  if (ItemText(parent, id) != text) SetWindowTextA(GetDlgItem(parent, id), text.c_str());
}

std::optional<int32_t> ItemNumber(HWND parent, int id) {
  const std::string text = ItemText(parent, id);
  const std::size_t start = text.find_first_not_of(' ');
  const std::size_t end = text.find_last_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  int32_t value = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + end + 1;
  if (*first == '+') ++first;
  const auto result = std::from_chars(first, last, value);
  if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
  return value;
}

}  // namespace quarvel
