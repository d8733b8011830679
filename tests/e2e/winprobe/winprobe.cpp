// The Wine driver's window probe, run with `wine` in the clock's prefix (commands: main's usage).
// Output is UTF-8 with LF line ends, a control a line: texts quoted, with newline, return,
// quote and backslash escaped. Rectangles are left,top,width,height on the screen.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <io.h>

namespace {

// Works across processes, as GetWindowText does not; a hung window yields "".
std::wstring windowText(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return text;
}

std::string quoted(const std::wstring& text) {
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(static_cast<size_t>(
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          static_cast<int>(bytes.size()), nullptr, nullptr)));
  std::string out = "\"";
  for (char c : bytes) {
    const char* escape = c == '\n'   ? "\\n"
                         : c == '\r' ? "\\r"
                         : c == '"'  ? "\\\""
                         : c == '\\' ? "\\\\"
                                     : nullptr;
    out += escape ? std::string(escape) : std::string(1, c);
  }
  return out + "\"";
}

std::wstring className(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::string describe(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  char place[80];
  std::snprintf(place, sizeof place, " rect=%ld,%ld,%ld,%ld", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return "class=" + quoted(className(window)) + " text=" + quoted(windowText(window)) + place;
}

BOOL CALLBACK collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> windowsWithTitle(const std::wstring* title) {
  std::vector<HWND> all, found;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all)
    if (!title || windowText(window) == *title) found.push_back(window);
  return found;
}

int listDialogs(const std::wstring* title, bool anyClass) {
  for (HWND dialog : windowsWithTitle(title)) {
    if (!IsWindowVisible(dialog) || (!anyClass && className(dialog) != L"#32770")) continue;
    std::printf("%s %s\n", anyClass ? "window" : "dialog", describe(dialog).c_str());
    std::vector<HWND> controls;
    EnumChildWindows(dialog, collect, reinterpret_cast<LPARAM>(&controls));
    for (HWND control : controls) {
      std::printf("  control %s", describe(control).c_str());
      if (anyClass) std::printf(" id=%d", GetDlgCtrlID(control));
      std::printf("\n");
    }
  }
  return 0;
}

int closeWindow(const std::wstring& title) {
  // A visible window first: a hidden helper window may share the title.
  HWND target = nullptr;
  for (HWND window : windowsWithTitle(&title))
    if (!target || (IsWindowVisible(window) && !IsWindowVisible(target))) target = window;
  if (!target || !PostMessageW(target, WM_CLOSE, 0, 0)) {
    std::fprintf(stderr, "winprobe: could not post WM_CLOSE to a window titled %s\n",
                 quoted(title).c_str());
    return 2;
  }
  return 0;
}

// As Windows ends a session (a logoff): every top-level window with the title is asked
// (WM_QUERYENDSESSION), then told the session ends (WM_ENDSESSION) when none refused. Sent, not
// posted, as the system sends them; a window that does not answer in 30 s counts as refusing.
int endSession(const std::wstring& title) {
  const std::vector<HWND> windows = windowsWithTitle(&title);
  if (windows.empty()) {
    std::fprintf(stderr, "winprobe: no window titled %s\n", quoted(title).c_str());
    return 2;
  }
  bool agreed = true;
  for (HWND window : windows) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 30000,
                             &answer) ||
        answer == FALSE)
      agreed = false;
  }
  for (HWND window : windows)
    SendMessageTimeoutW(window, WM_ENDSESSION, agreed ? TRUE : FALSE, ENDSESSION_LOGOFF,
                        SMTO_NORMAL, 30000, nullptr);
  std::printf("%s\n", agreed ? "ended" : "refused");
  return agreed ? 0 : 1;
}

int printForeground() {
  const HWND window = GetForegroundWindow();
  if (!window) return 1;
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  std::printf("%s\n", quoted(title).c_str());
  return 0;
}

// The visible top-level windows with a title, in the system's order from the top down: a
// window below all others comes last, whatever X's stacking shows.
int printStacking() {
  for (HWND window : windowsWithTitle(nullptr))
    if (IsWindowVisible(window) && !windowText(window).empty())
      std::printf("%s\n", quoted(windowText(window)).c_str());
  return 0;
}

int printVersion(const std::wstring& program) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  std::vector<unsigned char> info(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (size == 0 || !GetFileVersionInfoW(program.c_str(), 0, size, info.data()) ||
      !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
      length < sizeof *fixed) {
    std::fprintf(stderr, "winprobe: no version resource in %s\n", quoted(program).c_str());
    return 2;
  }
  const auto dotted = [](DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
  };
  std::printf("FixedFileVersion %s\n",
              dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS).c_str());
  std::printf("FixedProductVersion %s\n",
              dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS).c_str());
  for (const wchar_t* name :
       {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
        L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
      continue;
    std::printf("%s %s\n", quoted(name).c_str(), quoted(value).c_str());
  }
  return 0;
}

int printManifest(const std::wstring& program) {
  const HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const HRSRC found = module ? FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST) : nullptr;
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (!loaded) {
    std::fprintf(stderr, "winprobe: no manifest in %s\n", quoted(program).c_str());
    if (module) FreeLibrary(module);
    return 2;
  }
  std::fwrite(LockResource(loaded), 1, SizeofResource(module, found), stdout);
  FreeLibrary(module);
  return 0;
}

int repaint(const std::wstring& title) {
  int done = 0;
  for (HWND window : windowsWithTitle(&title))
    if (IsWindowVisible(window) &&
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW))
      ++done;
  return done > 0 ? 0 : 2;
}

// The control's text as DrawText measures it in the control's font (WM_GETFONT, else the
// default GUI font, made again in this process): on one line, or wrapped at wrapWidth.
bool measure(HWND control, const std::wstring& text, int wrapWidth, SIZE& size) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW logical{};
  if (!GetObjectW(font, sizeof logical, &logical)) return false;
  HFONT ours = CreateFontIndirectW(&logical);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, ours);
  RECT r{0, 0, wrapWidth, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  size = {r.right, r.bottom};
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(ours);
  return true;
}

bool inside(const RECT& r, const RECT& bounds) {
  return r.left >= bounds.left && r.top >= bounds.top && r.right <= bounds.right &&
         r.bottom <= bounds.bottom;
}

// The room a text needs in a control of that class: a check or radio box's box and gap, a
// button's frame and a pixel of air, a field's margins, a combo box's arrow; 0 x 0 for others.
SIZE room(HWND control, const std::wstring& cls, LONG style, SIZE text, int dpi) {
  const auto px = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
  if (cls == L"Button") {
    const LONG kind = style & BS_TYPEMASK;
    if (kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON || kind == BS_AUTOCHECKBOX ||
        kind == BS_CHECKBOX)
      return {GetSystemMetrics(SM_CXMENUCHECK) + px(3) + text.cx, text.cy};
    return {text.cx + 2 * (px(2) + 1), text.cy + 2 * px(2)};
  }
  if (cls == L"Static") return text;
  if (cls == L"Edit") {
    // A read-only field that scrolls (a path) shows a long text by scrolling: only its height
    // must fit. A field one types into must show what it holds.
    if ((style & ES_READONLY) && (style & ES_AUTOHSCROLL)) return {0, text.cy};
    const LRESULT margins = SendMessageW(control, EM_GETMARGINS, 0, 0);
    return {text.cx + LOWORD(margins) + HIWORD(margins) + 1, text.cy};
  }
  if (cls == L"ComboBox") return {text.cx + GetSystemMetrics(SM_CXVSCROLL) + 2 * px(3), text.cy};
  return {0, 0};
}

// A line for each visible control: "fits id=N class=... text=... rect=..." when it lies inside
// the window's client area and the work area of the window's monitor, its text, measured in its
// own font, shown whole; else "cut id=N ...: why". Before them "window inside the work area" or
// "cut window ...: why"; then "focus id=N", the control with the keyboard focus, if any; last
// "checked N controls at D dpi, M cut" (the window counts as one).
int checkFit(const std::wstring& title) {
  // Our own rectangles and fonts unscaled, whatever the window's awareness.
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  if (const auto set = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext"))))
    set(reinterpret_cast<HANDLE>(-4));  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  else
    SetProcessDPIAware();
  HWND window = nullptr;
  for (HWND candidate : windowsWithTitle(&title))
    if (IsWindowVisible(candidate)) window = candidate;
  if (!window) {
    std::fprintf(stderr, "winprobe: no visible window titled %s\n", quoted(title).c_str());
    return 2;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT parent{};
  GetClientRect(window, &parent);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&parent), 2);
  std::vector<HWND> controls;
  EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&controls));
  int checked = 0, cut = 0;
  RECT frame{};
  GetWindowRect(window, &frame);
  if (inside(frame, monitor.rcWork)) {
    std::printf("window inside the work area\n");
  } else {
    ++cut;
    std::printf("cut window %s: reaches beyond the work area %ld,%ld,%ld,%ld\n",
                describe(window).c_str(), monitor.rcWork.left, monitor.rcWork.top,
                monitor.rcWork.right - monitor.rcWork.left,
                monitor.rcWork.bottom - monitor.rcWork.top);
  }
  for (HWND control : controls) {
    if (!IsWindowVisible(control) || GetParent(control) != window) continue;
    const std::wstring cls = className(control), text = windowText(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    RECT outer{}, client{};
    GetWindowRect(control, &outer);
    GetClientRect(control, &client);
    const bool wraps = cls == L"Static" && (style & SS_TYPEMASK) == SS_LEFT;
    SIZE size{}, need{};
    std::string why;
    if (!inside(outer, parent)) {
      why = "reaches beyond the window";
    } else if (!inside(outer, monitor.rcWork)) {
      why = "reaches beyond the screen's work area";
    } else if (cls == L"SysListView32") {  // rows shown without scrolling
      const auto rows = SendMessageW(control, LVM_GETCOUNTPERPAGE, 0, 0);
      if (rows < 6) why = "shows " + std::to_string(rows) + " rows";
    } else if (text.empty() || (cls == L"Static" && (style & SS_ELLIPSISMASK))) {
      // nothing to measure: an ellipsis shortens the text to fit
    } else if (!measure(control, text, wraps ? client.right : 0, size)) {
      why = "its font can't be read";
    } else if (need = room(control, cls, style, size, dpi);
               need.cx > client.right || need.cy > client.bottom) {
      why = "needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + ", has " +
            std::to_string(client.right) + "x" + std::to_string(client.bottom);
    }
    ++checked;
    if (!why.empty()) ++cut;
    std::printf("%s id=%d %s%s%s\n", why.empty() ? "fits" : "cut", GetDlgCtrlID(control),
                describe(control).c_str(), why.empty() ? "" : ": ", why.c_str());
  }
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) {
    HWND focus = thread.hwndFocus;  // a combo box's field: the combo box
    while (focus && GetParent(focus) && GetParent(focus) != window) focus = GetParent(focus);
    if (focus && GetParent(focus) == window) std::printf("focus id=%d\n", GetDlgCtrlID(focus));
  }
  std::printf("checked %d controls at %d dpi, %d cut\n", checked, dpi, cut);
  return cut == 0 ? 0 : 1;
}

}  // namespace

int main() {
  // Binary mode: no CR before each LF, and UTF-8 bytes pass through untouched.
  _setmode(_fileno(stdout), _O_BINARY);
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 64;
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  LocalFree(argv);
  if (args.size() == 1 && args[0] == L"list") return listDialogs(nullptr, false);
  if (args.size() == 2 && args[0] == L"list") return listDialogs(&args[1], false);
  if (args.size() == 2 && args[0] == L"window") return listDialogs(&args[1], true);
  if (args.size() == 2 && args[0] == L"close") return closeWindow(args[1]);
  if (args.size() == 2 && args[0] == L"endsession") return endSession(args[1]);
  if (args.size() == 1 && args[0] == L"foreground") return printForeground();
  if (args.size() == 1 && args[0] == L"stacking") return printStacking();
  if (args.size() == 2 && args[0] == L"version") return printVersion(args[1]);
  if (args.size() == 2 && args[0] == L"manifest") return printManifest(args[1]);
  if (args.size() == 2 && args[0] == L"fit") return checkFit(args[1]);
  if (args.size() == 2 && args[0] == L"repaint") return repaint(args[1]);
  std::fprintf(stderr,
               "usage: winprobe list [title] | winprobe window <title> | winprobe close <title> | "
               "winprobe foreground | winprobe stacking | winprobe version <exe> | winprobe "
               "manifest <exe> | "
               "winprobe fit <title> | winprobe repaint <title> | winprobe endsession <title>\n");
  return 64;
}
