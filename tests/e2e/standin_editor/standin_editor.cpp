// A stand-in for the companion editor, for the end-to-end tests: it opens a window titled "qvs"
// (after QVEDIT_DELAY_MS milliseconds, if set, to play a slow editor) and closes on WM_CLOSE.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdlib>

namespace {
LRESULT CALLBACK EditorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  char delay[32] = {};
  if (GetEnvironmentVariableA("QVEDIT_DELAY_MS", delay, sizeof delay) > 0)
    Sleep(static_cast<DWORD>(std::strtoul(delay, nullptr, 10)));
  WNDCLASSA wc{};
  wc.lpfnWndProc = &EditorProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "QuarvelStandInEditor";
  RegisterClassA(&wc);
  HWND window = CreateWindowA(wc.lpszClassName, "qvs", WS_OVERLAPPEDWINDOW, 500, 300, 240, 120,
                              nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
