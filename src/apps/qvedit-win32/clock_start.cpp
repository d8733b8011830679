#include "apps/qvedit-win32/clock_start.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "core/skineditor/editor_names.h"

namespace quarvel {

std::string ProgramFolder() {
  char path[MAX_PATH * 2];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string program(path, n);
  const auto slash = program.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : program.substr(0, slash);
}

std::string StartClockBesideEditor() {
  const std::string program = ProgramFolder() + "\\" + kClockProgram;
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // No folder of its own: the clock inherits ours, the skin's.
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return "\"" + program + "\" could not be started (error " + std::to_string(GetLastError()) +
           ").";
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {};
}

}  // namespace quarvel
