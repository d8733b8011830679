// The end-to-end tests' stand-in editor: after QVEDIT_DELAY_MS a message box titled "qvs"; with
// QVEDIT_EXIT_CODE set it ends at once with that code, as a failing editor.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char code[32] = {};
  if (GetEnvironmentVariableA("QVEDIT_EXIT_CODE", code, sizeof code) > 0)
    return static_cast<int>(std::strtol(code, nullptr, 10));
  char delay[32] = {};
  if (GetEnvironmentVariableA("QVEDIT_DELAY_MS", delay, sizeof delay) > 0)
    Sleep(static_cast<DWORD>(std::strtoul(delay, nullptr, 10)));
  MessageBoxA(nullptr, "The stand-in for the QUARVEL editor.", "qvs", MB_OK);
  return 0;
}
