// quarvel on a Wayland desktop: connects to the compositor, chooses the folder it works in,
// creates the clock's layer surface, runs its start-up and then its event loop.
#include "apps/quarvel-x11/wayland_clock.h"

#include <cstdlib>

#include "backends/wayland/wayland_activation.h"
#include "backends/wayland/wayland_display.h"
#include "backends/wayland/wayland_event_loop.h"
#include "backends/wayland/wayland_system.h"
#include "backends/wayland/wayland_window.h"
#include "core/clockwindow/form1.h"
#include "core/clockwindow/one_clock.h"
#include "core/desktop/programs.h"
#include "core/desktop/work_folder.h"
#include "runtime/caption.h"

namespace quarvel {

std::unique_ptr<WaylandDisplay> OpenLayerShellDisplay(std::string& why) {
  std::unique_ptr<WaylandDisplay> display = WaylandDisplay::Open();
  if (!display) {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    why = std::string("can't connect to the Wayland compositor \"") + (name ? name : "") + "\"";
  } else if (display->layerShell() == nullptr || display->compositor() == nullptr ||
             display->shm() == nullptr) {
    why = "this Wayland compositor offers no layer shell (zwlr_layer_shell_v1)";
    display.reset();
  }
  return display;
}

int RunWaylandClock(WaylandDisplay& display) {
  const WorkFolder work = EnterWorkFolder(RunningProgramFolder());
  SystemClock clock;
  FileSlot slot;  // bare names: the working directory
  WaylandEventLoop loop(display);
  WaylandSystem system(display, loop);
  if (!ClaimSettingsFolder(system, slot)) return 0;
  WaylandWindow window(display, loop);
  system.ScaleOf(&window);
  WaylandActivation activation(display);
  system.SetActivationTokenSource(
      [&] { return activation.Token(window.surface(), window.pressSerial()); });
  Form1 form(window, system, clock, slot);
  form.UseWorkFolder(work.path, work.problem);
  // The compositor's end closes the clock like any close request: the settings are saved.
  display.OnConnectionLost([&form] { form.OnUnload(); });
  if (!form.Load()) return 1;
  // A second start in this folder finds this clock from now on.
  system.ListenForShowRequests(
      [&window](const std::string& caption) { return caption == kCaption && window.ShowItself(); });
  for (;;) loop.RunOnce(-1);
}

}  // namespace quarvel
