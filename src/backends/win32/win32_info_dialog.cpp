// The first-run dialog on Win32: an empty in-memory dialog template whose controls are created
// at their designed pixel places, so the layout does not depend on dialog units.
#include "backends/win32/win32_info_dialog.h"

#include <string>
#include <string_view>

#include "backends/win32/win32_dialog_font.h"
#include "backends/win32/win32_resources.h"
#include "core/infodialog/banner_choice.h"
#include "core/infodialog/dialog_layout.h"
#include "runtime/system_errors.h"

namespace quarvel {

namespace {
using infodialog::ControlKind;
using infodialog::kControls;

constexpr int kFirstControlId = 1000;  // control ids follow the tab order: OKButton is 1000
constexpr int kOkId = kFirstControlId;
constexpr int kReadmeId = kFirstControlId + 1;

struct DialogContext {
  HINSTANCE instance;
  float fx, fy;
  HFONT font = nullptr;
  HBITMAP banner = nullptr;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
};

HICON LoadIconOfSize(HINSTANCE instance, int metric) {
  const int side = GetSystemMetrics(metric);
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(QUARVEL_ICON), IMAGE_ICON, side, side, 0));
}

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

// "Readme": Notepad on readme.txt in the working directory, normal and activated; the dialog
// stays open. NOTE: a missing Notepad would otherwise end the clock on its very first run, so
// it is reported and the dialog stays usable.
void StartReadme(HWND dialog) {
  std::string command(infodialog::kReadmeCommand);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return;
  }
  const Message message = infodialog::ReadmeFailureMessage(command, ErrorCodeText(GetLastError()));
  MessageBoxA(dialog, message.text.c_str(), message.caption.c_str(),
              MB_OK | MB_ICONWARNING | (message.topmost ? MB_TOPMOST : 0));
}

void CreateControls(HWND dialog, DialogContext& context) {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const auto& layout = kControls[i];
    const auto rect = infodialog::ControlRect(layout, context.fx, context.fy);
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (layout.kind) {
      case ControlKind::kPushButton:
        windowClass = L"BUTTON";
        style |= BS_PUSHBUTTON | WS_TABSTOP;  // neither button is the default button
        break;
      case ControlKind::kFrame:
        windowClass = L"BUTTON";
        style |= BS_GROUPBOX;
        break;
      case ControlKind::kLabel:
        style |= SS_LEFT;  // wraps within its width
        break;
      case ControlKind::kPictureBox:
        style |= SS_BITMAP;
        exStyle |= WS_EX_CLIENTEDGE;  // the sunken border of 2 pixels
        break;
    }
    HWND control = CreateWindowExW(
        exStyle, windowClass, Wide(layout.text).c_str(), style, rect.x, rect.y, rect.width,
        rect.height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
        context.instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(context.font), FALSE);
    if (layout.kind == ControlKind::kPictureBox && context.banner != nullptr) {
      SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(context.banner));
      // The box takes the picture's size plus its border, as the X11 one does: Wine stretches a
      // picture to a larger box (at 2x the layout's box is 4 pixels larger than the picture).
      BITMAP picture{};
      const bool sized = GetObjectW(context.banner, sizeof picture, &picture) != 0;
      SetWindowPos(control, nullptr, rect.x, rect.y, sized ? picture.bmWidth + 4 : rect.width,
                   sized ? picture.bmHeight + 4 : rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

void PlaceDialog(HWND dialog, const DialogContext& context) {
  const auto client = infodialog::DialogClientRect(context.fx, context.fy);
  RECT outer{client.x, client.y, client.x + client.width, client.y + client.height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  infodialog::PixelRect place{outer.left, outer.top, outer.right - outer.left,
                              outer.bottom - outer.top};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    place = infodialog::KeptOnWorkArea(
        place, {work.left, work.top, work.right - work.left, work.bottom - work.top});
  }
  SetWindowPos(dialog, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto& context = *reinterpret_cast<DialogContext*>(lParam);
      SetWindowTextW(dialog, Wide(infodialog::kDialog.caption).c_str());
      // Each size from its own image: the caption shows the 16 x 16 one, not the 32 x 32 scaled.
      SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(context.bigIcon));
      SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(context.smallIcon));
      CreateControls(dialog, context);
      PlaceDialog(dialog, context);
      // Through the dialog manager, so the focused button is the one Enter presses.
      SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kOkId)),
                   TRUE);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      // Escape arrives as IDCANCEL and Enter without a focused button as IDOK: there is no
      // default or cancel button, so both do nothing.
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kOkId) EndDialog(dialog, 0);
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kReadmeId) StartReadme(dialog);
      return TRUE;
    case WM_CLOSE:  // the close box acts as OK
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

// An empty dialog template; the controls come in WM_INITDIALOG.
struct alignas(DWORD) EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0, windowClass = 0, title = 0;
};
}  // namespace

void ShowWin32InfoDialog(HINSTANCE instance, HWND owner, float fx, float fy) {
  DialogContext context{instance, fx, fy};
  // 9 points, in Windows' Japanese UI font where the system has it, else in a face that has
  // every glyph of the texts.
  context.font = CreateDialogFont(-infodialog::FontPixelHeight(fy));
  context.bigIcon = LoadIconOfSize(instance, SM_CXICON);
  context.smallIcon = LoadIconOfSize(instance, SM_CXSMICON);
  // The banner drawn for the screen's scale, not one stretched.
  const infodialog::BannerScale scale = infodialog::BannerForScreen(fx);
  const int bannerId = scale == infodialog::BannerScale::kTwo          ? QUARVEL_BANNER_2X
                       : scale == infodialog::BannerScale::kOneAndHalf ? QUARVEL_BANNER_1_5X
                                                                       : QUARVEL_BANNER;
  context.banner = static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(bannerId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  EmptyTemplate dialogTemplate{};
  dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  dialogTemplate.header.dwExtendedStyle = WS_EX_DLGMODALFRAME;
  DialogBoxIndirectParamW(instance, &dialogTemplate.header, owner, &DialogProc,
                          reinterpret_cast<LPARAM>(&context));
  // Everything the dialog borrowed goes back: the clock runs on for hours after it.
  if (context.banner != nullptr) DeleteObject(context.banner);
  if (context.font != nullptr) DeleteObject(context.font);
  if (context.bigIcon != nullptr) DestroyIcon(context.bigIcon);
  if (context.smallIcon != nullptr) DestroyIcon(context.smallIcon);
}

}  // namespace quarvel
