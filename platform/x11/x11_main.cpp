// quarvel on Linux: opens the X display, chooses the folder it works in, creates the clock
// window, runs its start-up and then its event loop.
#include <cstdio>
#include <cstdlib>

#include "clockwindow/form1.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_event_loop.h"
#include "platform/x11/x11_programs.h"
#include "platform/x11/x11_system.h"
#include "platform/x11/x11_window.h"
#include "platform/x11/x11_work_folder.h"

int main() {
  using namespace quarvel;
  std::unique_ptr<X11Display> display = X11Display::Open();
  if (!display) {
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr, "quarvel: can't open the X display \"%s\"\n", name ? name : "");
    return 1;
  }
  const X11WorkFolder work = EnterWorkFolder(RunningProgramFolder());
  SystemClock clock;
  FileSlot slot;  // bare names: the working directory
  X11EventLoop loop(*display);
  // The folder it works in tells a first run: an installed program's folder (/usr/bin) never
  // holds a settings.ini, so a clock started in a skin folder would greet on every start.
  X11System system(*display, loop, work.path);
  X11Window window(*display, loop);
  Form1 form(window, system, clock, slot);
  // The end of the X session closes the clock like any close request: the settings are saved.
  display->OnConnectionLost([&form] { form.OnUnload(); });
  loop.BeforeTimers([&system] { system.AskPointerAhead(); });
  if (!form.Load()) return 1;
  for (;;) loop.RunOnce(-1);
}
