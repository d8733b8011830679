// quarvel.exe: creates the clock window, runs its start-up and then its event loop.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "backends/win32/win32_system.h"
#include "backends/win32/win32_window.h"
#include "core/clockwindow/clock_message.h"
#include "core/clockwindow/form1.h"
#include "core/clockwindow/one_clock.h"

namespace {
int RunEventLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  quarvel::SystemClock clock;
  quarvel::FileSlot slot;  // bare names: the working directory
  quarvel::Win32System system(instance);
  // One clock per settings file: a second start brings the running clock to the front.
  if (!quarvel::ClaimSettingsFolder(system, slot)) return 0;
  try {
    quarvel::Win32Window window(instance);
    system.SetOwner(window.handle());
    quarvel::Form1 form(window, system, clock, slot);
    if (!form.Load()) return 1;
    return RunEventLoop();
  } catch (const quarvel::SystemCallFailure& failure) {
    // The window or its first timer could not be made (later failures the clock reports
    // itself); the window is gone by now, so the report is owned by none.
    system.SetOwner(nullptr);
    quarvel::ReportSystemCallFailure(system, failure);
    return 1;
  }
}
