#include "platform/win32/win32_error_report.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace quarvel {

namespace {
constexpr const char* kCaption = "QUARVEL";
}

void ShowRuntimeErrorReport(const RuntimeError& error) {
  std::string text = "Run-time error '" + std::to_string(error.number()) + "':\n\n" + error.text();
  if (!error.file().empty()) text += "\n\n" + error.file();
  if (!error.where().empty()) text += (error.file().empty() ? "\n\n" : ", ") + error.where();
  MessageBoxA(nullptr, text.c_str(), kCaption,
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL | MB_TOPMOST);
}

void ReportRuntimeErrorAndExit(const RuntimeError& error) {
  ShowRuntimeErrorReport(error);
  ExitProcess(1);
}

void ReportPlatformFailure(const char* call) {
  std::string text =
      std::string("Win32: ") + call + " failed (error " + std::to_string(GetLastError()) + ").";
  MessageBoxA(nullptr, text.c_str(), kCaption,
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL | MB_TOPMOST);
  ExitProcess(1);
}

}  // namespace quarvel
