#include "platform/win32/win32_system.h"

#include "platform/win32/win32_info_dialog.h"

namespace quarvel {

namespace {
// Twips per pixel: 1440 / the screen's dots per inch.
float ScreenFactor(int index) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? 1440.0f / static_cast<float>(dpi) : 15.0f;
}
}  // namespace

Win32System::Win32System(HINSTANCE instance)
    : instance_(instance), fx_(ScreenFactor(LOGPIXELSX)), fy_(ScreenFactor(LOGPIXELSY)) {}

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
    switch (GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_NO_MORE_FILES:
        return std::nullopt;
      case ERROR_INVALID_NAME:
      case ERROR_BAD_PATHNAME:
        throw RuntimeError(ErrorNumber::kBadFileNameOrNumber, path);
      default:
        throw RuntimeError(ErrorNumber::kPathFileAccessError, path);
    }
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

int32_t Win32System::VirtualScreenLeft() const {
  return GetSystemMetrics(SM_XVIRTUALSCREEN);
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

// The program's folder first, then the absolute folders of PATH. The working directory is never
// searched, so a program planted in a data folder does not run.
std::string FindProgram(const std::string& programFolder, const std::string& exeName) {
  if (IsFile(programFolder + "\\" + exeName)) return programFolder + "\\" + exeName;
  char buffer[32768];
  const DWORD n = GetEnvironmentVariableA("PATH", buffer, sizeof buffer);
  const std::string path = n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(';', start);
    if (end == std::string::npos) end = path.size();
    std::string folder = path.substr(start, end - start);
    if (!folder.empty() && folder.front() == '"' && folder.back() == '"' && folder.size() >= 2)
      folder = folder.substr(1, folder.size() - 2);
    if (IsAbsolute(folder) && IsFile(folder + "\\" + exeName)) return folder + "\\" + exeName;
    start = end + 1;
  }
  return {};
}
}  // namespace

void Win32System::StartProgram(const std::string& exeName) {
  const std::string program = FindProgram(ProgramFolder(), exeName);
  if (program.empty()) throw RuntimeError(ErrorNumber::kFileNotFound, exeName);
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;  // a normal window that takes the focus
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    throw RuntimeError(ErrorNumber::kFileNotFound, exeName,
                       "error " + std::to_string(GetLastError()));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

void Win32System::DoEvents() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool Win32System::ActivateWindow(const std::string& title) {
  HWND window = FindWindowA(nullptr, title.c_str());
  if (window == nullptr) return false;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  return true;
}

void Win32System::Pause(int milliseconds) {
  Sleep(static_cast<DWORD>(milliseconds));
}

void Win32System::ShowInfoDialog() {
  ShowWin32InfoDialog(instance_, dialogOwner_, fx_, fy_);
}

void Win32System::ShowMessage(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), "QUARVEL",
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL | MB_TOPMOST);
}

void Win32System::EndProcess(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace quarvel
