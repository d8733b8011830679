// The Wine driver's window probe (see lib.sh), run with `wine` in the clock's prefix:
//
//   winprobe list [title]   every visible dialog (#32770: dialogs and message boxes), or those
//                           with that title, and its controls, one line each
//   winprobe window <title> every visible top-level window with that title, of any class, and
//                           its controls, each with its control id
//   winprobe close <title>  post WM_CLOSE to the top-level window with that title
//   winprobe foreground     the title of Windows' foreground window (Wine's, across its
//                           processes), or nothing when there is none
//   winprobe version <exe>  the program's version resource as GetFileVersionInfo reads it: the
//                           fixed file and product versions, then each U.S. English string
//   winprobe manifest <exe> the program's application manifest (resource 1), as it is stored
//
// Output is UTF-8 with LF line ends; texts are quoted with \n, \r, \" and \\ escaped, so every
// control stays on one line. Rectangles are left,top,width,height on the screen.
//
// NOTE: GetWindowText on a control of another process returns nothing; only WM_GETTEXT reads it.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <io.h>

namespace {

// Works across processes; a hung window yields "".
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

int printForeground() {
  const HWND window = GetForegroundWindow();
  if (!window) return 1;
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  std::printf("%s\n", quoted(title).c_str());
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
  if (args.size() == 1 && args[0] == L"foreground") return printForeground();
  if (args.size() == 2 && args[0] == L"version") return printVersion(args[1]);
  if (args.size() == 2 && args[0] == L"manifest") return printManifest(args[1]);
  std::fprintf(stderr,
               "usage: winprobe list [title] | winprobe window <title> | winprobe close <title> | "
               "winprobe foreground | winprobe version <exe> | winprobe manifest <exe>\n");
  return 64;
}
