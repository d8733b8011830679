#include "backends/win32/win32_system.h"

#include "backends/win32/win32_info_dialog.h"
#include "platform/process_lock.h"
#include "runtime/program_search.h"
#include "runtime/system_errors.h"

namespace quarvel {

namespace {
// The DPI of the monitor the clock's window is on: GetDpiForWindow (Windows 10 1607 on), else
// the monitor's own (GetDpiForMonitor, Windows 8.1 on), else the system's. Both are looked up at
// run time, so the clock still starts on older Windows; with the per-monitor awareness of the
// manifest they answer the monitor's real DPI, never a stretched 96.
UINT MonitorDpi(HWND window) {
  if (window != nullptr) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto forWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (forWindow != nullptr) {
      if (const UINT dpi = forWindow(window); dpi != 0) return dpi;
    }
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static HMODULE shcore = LoadLibraryA("shcore.dll");
    static const auto forMonitor =
        shcore == nullptr ? nullptr
                          : reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(
                                GetProcAddress(shcore, "GetDpiForMonitor")));
    if (forMonitor != nullptr) {
      UINT dpiX = 0, dpiY = 0;
      const int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
      if (SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi,
                               &dpiX, &dpiY)) &&
          dpiX != 0)
        return dpiX;
    }
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}
}  // namespace

// Square pixels: the monitor's one DPI in both directions.
TwipsPerPixel Win32System::ScreenTwipsPerPixel() const {
  const float twips = 1440.0f / static_cast<float>(MonitorDpi(owner_));
  return {twips, twips};
}

namespace {
ScreenRect FromRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  auto& monitors = *reinterpret_cast<std::vector<Monitor>*>(list);
  const Monitor m{FromRect(info.rcMonitor), FromRect(info.rcWork)};
  if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0)
    monitors.insert(monitors.begin(), m);
  else
    monitors.push_back(m);
  return TRUE;
}
}  // namespace

std::vector<Monitor> Win32System::Monitors() const {
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

namespace {
// Windows' error codes named; the clock decides what each is reported as (system_errors.h).
FailureKind Win32Failure(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FailureKind::kNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return FailureKind::kBadName;
    case ERROR_ACCESS_DENIED:
      return FailureKind::kAccessDenied;
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
      return FailureKind::kNotAProgram;
    default:
      return FailureKind::kOther;
  }
}
}  // namespace

std::string Win32System::ProgramFolder() const {
  char path[MAX_PATH * 2];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n);
  const auto slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

std::optional<uint32_t> Win32System::FindFirstFileAttributes(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_NO_MORE_FILES || Win32Failure(error) == FailureKind::kNotFound)
      return std::nullopt;
    throw DirectorySearchError(Win32Failure(error), path);
  }
  FindClose(search);
  return found.dwFileAttributes;
}

bool Win32System::GetCursorPos(ScreenPoint& point) {
  POINT p;
  if (!::GetCursorPos(&p)) return false;
  point = ScreenPoint{p.x, p.y};
  return true;
}

namespace {
bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsAbsolute(const std::string& path) {
  return (path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
         path.rfind("\\\\", 0) == 0;
}

// PATH's folders, a quoted one without its quotes; the clock's search decides which count.
std::vector<std::string> SearchPathFolders() {
  char buffer[32768];
  const DWORD n = GetEnvironmentVariableA("PATH", buffer, sizeof buffer);
  std::vector<std::string> folders =
      SplitSearchPath(n > 0 && n < sizeof buffer ? std::string_view(buffer, n) : "", ';');
  for (std::string& folder : folders)
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
      folder = folder.substr(1, folder.size() - 2);
  return folders;
}

}  // namespace

void Win32System::StartProgram(const std::string& exeName) {
  const FileSystemWays windows{IsAbsolute, IsFile,
                               [this](const std::string& folder, const std::string& name) {
                                 return JoinPath(folder, name);
                               }};
  const std::string program = SearchProgram(ProgramFolder(), SearchPathFolders(), exeName, windows);
  if (program.empty()) throw ProgramStartError(FailureKind::kNotFound, exeName);
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;  // a normal window that takes the focus
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    const DWORD error = GetLastError();
    throw ProgramStartError(Win32Failure(error), program, WindowsErrorCodeText(error));
  }
  CloseHandle(process.hThread);
  if (started_ != nullptr) CloseHandle(started_);
  started_ = process.hProcess;
}

Win32System::~Win32System() {
  if (started_ != nullptr) CloseHandle(started_);
}

std::optional<int> Win32System::StartedProgramExitCode() {
  DWORD code = 0;
  if (started_ == nullptr || !GetExitCodeProcess(started_, &code) || code == STILL_ACTIVE)
    return std::nullopt;
  return static_cast<int>(code);
}

void Win32System::DoEvents(int milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const DWORD waited = GetTickCount() - start;
    if (waited >= static_cast<DWORD>(milliseconds)) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(milliseconds) - waited,
                              QS_ALLINPUT);
  }
}

bool Win32System::ActivateWindow(const std::string& title) {
  HWND window = FindWindowA(nullptr, title.c_str());
  if (window == nullptr) return false;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  return true;
}

ProcessLock Win32System::LockForProcess(const std::string& path) {
  return LockFileForProcess(path).lock;  // held until the process ends
}

namespace {
struct ClockSearch {
  DWORD processId;
  const std::string& caption;
  HWND found = nullptr;
};

// A shown top-level window of that process with the caption asked for.
BOOL CALLBACK FindClockWindow(HWND window, LPARAM search) {
  auto& s = *reinterpret_cast<ClockSearch*>(search);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char title[64] = {};
  if (processId != s.processId || !IsWindowVisible(window) ||
      GetWindowTextA(window, title, sizeof title) <= 0 || std::string(title) != s.caption)
    return TRUE;
  s.found = window;
  return FALSE;
}
}  // namespace

bool Win32System::ActivateClockOf(uint32_t processId, const std::string& caption) {
  ClockSearch search{processId, caption};
  EnumWindows(&FindClockWindow, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return false;
  if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
  SetForegroundWindow(search.found);
  return true;
}

void Win32System::ShowInfoDialog() {
  const TwipsPerPixel twips = ScreenTwipsPerPixel();
  ShowWin32InfoDialog(instance_, owner_, twips.x, twips.y);
}

void Win32System::ShowMessage(const Message& message) {
  // Owned by the clock and modal to it, so the clock takes no input while the user reads.
  // Windows draws its own button.
  MessageBoxA(owner_, message.text.c_str(), message.caption.c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | (message.topmost ? MB_TOPMOST : 0));
}

void Win32System::EndProcess(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace quarvel
