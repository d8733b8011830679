// quarvel on Linux: answers --help and --version, or chooses its window system (the Wayland
// compositor's layer shell where it offers one: wayland_clock.cpp; else X, also through
// Xwayland), opens it, chooses the folder it works in, creates the clock window, runs its
// start-up and then its event loop.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "apps/quarvel-x11/wayland_clock.h"
#include "backends/x11/x11_display.h"
#include "backends/x11/x11_event_loop.h"
#include "backends/x11/x11_system.h"
#include "backends/x11/x11_window.h"
#include "core/clockwindow/form1.h"
#include "core/clockwindow/one_clock.h"
#include "core/desktop/programs.h"
#include "core/desktop/work_folder.h"
#include "runtime/standard_descriptors.h"

namespace {
constexpr const char* kUsageLine = "usage: quarvel [--help | --version]\n";
constexpr const char* kHelp =
    "QUARVEL, a round analog clock for the desktop.\n"
    "Started in a folder that holds a skin (tyou.sin, tan.sin, byou.sin) it works there;\n"
    "anywhere else in $XDG_CONFIG_HOME/quarvel (~/.config/quarvel), which its first start\n"
    "fills with the default skin.\n"
    "  left button   drag the clock (hold Shift to reach a top-most clock)\n"
    "  right button  the skin editor, qvedit (the clock closes)\n"
    "  Z / X         the minute / second hand runs a lap\n"
    "  A             top-most on or off\n"
    "  C             close (the settings are saved)\n"
    "Its options.ini beside settings.ini, set on the editor's Options page, holds\n"
    "key=value lines, each off or the clock's own behaviour by default:\n"
    "  seconds_hand=off       no seconds hand; the clock wakes once a minute\n"
    "  date=on                the day of the month on the face\n"
    "  time_zone=Asia/Tokyo   the time of that zone (default: the system's)\n"
    "  opacity=60             see-through, 20 to 100 percent\n"
    "  layer=below            opens under the windows (or normal; A: top-most and back)\n"
    "  all_workspaces=on      on every workspace\n"
    "  start_at_login=on      started at login (the editor makes the entry as it saves)\n"
    "  hourly_chime=on        a short bell at each full hour\n"
    "  locked=on              the left button doesn't drag it\n"
    "Options:\n"
    "  --help        print this text and exit\n"
    "  --version     print the version and exit\n"
    "Environment:\n"
    "  QUARVEL_BACKEND=x11 | wayland\n"
    "                the window system the clock runs on. Unset: in a Wayland session whose\n"
    "                compositor offers the layer shell (sway and the other wlroots desktops,\n"
    "                KDE Plasma) the clock is its own; elsewhere (X, GNOME) an X client\n"
    "More in quarvel(1) and the readme (share/doc/quarvel/readme.txt).\n";

// The command line, read before anything else (no display is needed to ask for help). -1 when
// the clock is to start, else the exit status.
int CommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsageLine, stdout);
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("quarvel " QUARVEL_VERSION);
      return 0;
    }
  }
  if (argc > 1) {
    const std::string_view arg = argv[1];
    std::fprintf(stderr, "quarvel: %s '%s'\n%s",
                 arg.starts_with("-") ? "unknown option" : "unexpected argument", argv[1],
                 kUsageLine);
    return 2;
  }
  return -1;
}
}  // namespace

int main(int argc, char** argv) {
  quarvel::OpenStandardDescriptors();  // before the display or any file takes 0, 1 or 2
  using namespace quarvel;
  if (const int status = CommandLine(argc, argv); status >= 0) return status;
  const char* forced = std::getenv("QUARVEL_BACKEND");
  const std::string_view backend = forced != nullptr ? forced : "";
  if (!backend.empty() && backend != "x11" && backend != "wayland") {
    std::fprintf(stderr, "quarvel: QUARVEL_BACKEND is x11 or wayland, not '%s'\n", forced);
    return 2;
  }
  // A Wayland session's compositor shows the clock itself where it can; where it has no layer
  // shell (GNOME) the clock is an X client of its Xwayland, as on X.
  const char* session = std::getenv("WAYLAND_DISPLAY");
  if (backend == "wayland" || (backend.empty() && session != nullptr && session[0] != '\0')) {
    std::string why;
    if (std::unique_ptr<WaylandDisplay> wayland = OpenLayerShellDisplay(why))
      return RunWaylandClock(*wayland);
    if (backend == "wayland") {
      std::fprintf(stderr, "quarvel: %s\n", why.c_str());
      return 1;
    }
  }
  std::unique_ptr<X11Display> display = X11Display::Open();
  if (!display) {
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr, "quarvel: can't open the X display \"%s\"\n", name ? name : "");
    return 1;
  }
  const WorkFolder work = EnterWorkFolder(RunningProgramFolder());
  SystemClock clock;
  FileSlot slot;  // bare names: the working directory
  X11EventLoop loop(*display);
  X11System system(*display, loop);
  // One clock per settings file: a second start brings the running clock to the front.
  if (!ClaimSettingsFolder(system, slot)) return 0;
  X11Window window(*display, loop);
  Form1 form(window, system, clock, slot);
  // The folder it works in tells a first run: an installed program's folder (/usr/bin) never
  // holds a settings.ini, so a clock started in a skin folder would greet on every start.
  form.UseWorkFolder(work.path, work.problem);
  // The end of the X session closes the clock like any close request: the settings are saved.
  display->OnConnectionLost([&form] { form.OnUnload(); });
  if (!form.Load()) return 1;
  for (;;) loop.RunOnce(-1);
}
