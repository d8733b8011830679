// A small window probe for the end-to-end tests, run with `wine` in the clock's prefix.
//
//   winprobe list                          every visible top-level window, one line each;
//                                           for dialogs (#32770) also their child controls
//   winprobe close <title>                 post WM_CLOSE to the top-level window with that title
//   winprobe press <dialog title> <button> click a button of a dialog (BM_CLICK)
//
// Output is UTF-8 with LF line ends. Texts are quoted, with \n, \r, \t, \" and \\ escaped, so
// every window or control stays on one line for grep.
//
// NOTE: GetWindowText on a control of another process returns nothing; only WM_GETTEXT reads it.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include <fcntl.h>
#include <io.h>

namespace {

constexpr wchar_t dialogClass[] = L"#32770";
constexpr UINT sendTimeoutMs = 5000;

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::string quoted(const std::wstring& text) {
  std::string out = "\"";
  for (char c : utf8(text)) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

std::wstring className(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// Works across processes, unlike GetWindowText for controls. A hung target yields "".
std::wstring windowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs,
                           &length))
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, sendTimeoutMs, &copied))
    return {};
  text.resize(copied);
  return text;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> childWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

std::string handle(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%08llx",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return text;
}

std::string rectText(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  char text[96];
  std::snprintf(text, sizeof text, "rect=%ld,%ld,%ld,%ld size=%ldx%ld", r.left, r.top, r.right,
                r.bottom, r.right - r.left, r.bottom - r.top);
  return text;
}

int listWindows() {
  for (HWND window : topLevelWindows()) {
    if (!IsWindowVisible(window)) continue;
    const std::wstring cls = className(window);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::printf("window %s pid=%lu class=%s title=%s %s\n", handle(window).c_str(),
                static_cast<unsigned long>(pid), quoted(cls).c_str(),
                quoted(windowText(window)).c_str(), rectText(window).c_str());
    if (cls != dialogClass) continue;
    for (HWND child : childWindows(window)) {
      std::printf("  control %s id=%d class=%s text=%s visible=%d %s\n", handle(child).c_str(),
                  GetDlgCtrlID(child), quoted(className(child)).c_str(),
                  quoted(windowText(child)).c_str(), IsWindowVisible(child) ? 1 : 0,
                  rectText(child).c_str());
    }
  }
  return 0;
}

// Visible windows first: a hidden helper window may share the title.
HWND findTopLevel(const std::wstring& title) {
  HWND hidden = nullptr;
  for (HWND window : topLevelWindows()) {
    if (windowText(window) != title) continue;
    if (IsWindowVisible(window)) return window;
    if (!hidden) hidden = window;
  }
  return hidden;
}

int closeWindow(const std::wstring& title) {
  HWND window = findTopLevel(title);
  if (!window) {
    std::fprintf(stderr, "winprobe: no top-level window titled %s\n", quoted(title).c_str());
    return 2;
  }
  if (!PostMessageW(window, WM_CLOSE, 0, 0)) {
    std::fprintf(stderr, "winprobe: PostMessage(WM_CLOSE) to %s failed (error %lu)\n",
                 handle(window).c_str(), GetLastError());
    return 1;
  }
  std::printf("closed %s\n", handle(window).c_str());
  return 0;
}

// "&OK" and "OK" name the same button.
std::wstring withoutMnemonic(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

int pressButton(const std::wstring& title, const std::wstring& button) {
  bool sawDialog = false;
  for (HWND window : topLevelWindows()) {
    if (!IsWindowVisible(window) || className(window) != dialogClass) continue;
    if (windowText(window) != title) continue;
    sawDialog = true;
    for (HWND child : childWindows(window)) {
      if (className(child) != L"Button" || withoutMnemonic(windowText(child)) != button) continue;
      // NOTE: the click ends the dialog, and maybe its process; a timeout or a vanished window
      // after that is success, so the result of the send is not checked.
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(child, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs, &ignored);
      std::printf("pressed %s in %s\n", handle(child).c_str(), handle(window).c_str());
      return 0;
    }
  }
  if (sawDialog)
    std::fprintf(stderr, "winprobe: dialog %s has no button %s\n", quoted(title).c_str(),
                 quoted(button).c_str());
  else
    std::fprintf(stderr, "winprobe: no visible dialog titled %s\n", quoted(title).c_str());
  return 2;
}

int usage() {
  std::fprintf(stderr,
               "usage: winprobe list\n"
               "       winprobe close <title>\n"
               "       winprobe press <dialog title> <button text>\n");
  return 64;
}

}  // namespace

int main() {
  // Binary mode: no CR before each LF, and UTF-8 bytes pass through untouched.
  _setmode(_fileno(stdout), _O_BINARY);
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return usage();
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  LocalFree(argv);

  if (args.size() == 1 && args[0] == L"list") return listWindows();
  if (args.size() == 2 && args[0] == L"close") return closeWindow(args[1]);
  if (args.size() == 3 && args[0] == L"press") return pressButton(args[1], args[2]);
  return usage();
}
