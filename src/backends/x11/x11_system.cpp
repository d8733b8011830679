#include "backends/x11/x11_system.h"

#include <X11/Xatom.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>
#include <xcb/xcbext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "backends/x11/x11_info_dialog.h"
#include "backends/x11/x11_message_box.h"
#include "backends/x11/x11_monitors.h"
#include "backends/x11/x11_text.h"
#include "core/clockface/screen_dpi.h"
#include "core/desktop/file_attributes.h"
#include "core/desktop/programs.h"
#include "platform/process_lock.h"
#include "runtime/system_errors.h"

namespace quarvel {

X11System::X11System(X11Display& display, X11EventLoop& loop)
    : display_(display), loop_(loop), pointer_(display, loop) {}

// The desktop's own font resolution, Xft.dpi, as written; the core reads and checks it.
TwipsPerPixel X11System::ScreenTwipsPerPixel() const {
  std::optional<std::string> setting;
  if (const char* resources = XResourceManagerString(display_.get())) {
    XrmInitialize();
    if (XrmDatabase database = XrmGetStringDatabase(resources)) {
      char* type = nullptr;
      XrmValue value{};
      if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr)
        setting.emplace(value.addr, strnlen(value.addr, value.size));
      XrmDestroyDatabase(database);
    }
  }
  return TwipsAtDesktopDpi(setting);
}

std::vector<Monitor> X11System::Monitors() const {
  return X11Monitors(display_);
}

std::string X11System::ProgramFolder() const {
  return RunningProgramFolder();
}

std::optional<uint32_t> X11System::FindFirstFileAttributes(const std::string& path) {
  return LinuxFileAttributes(path);
}

bool X11System::GetCursorPos(ScreenPoint& point) {
  return pointer_.Read(point);
}

bool X11System::PointerKnownEverywhere() const {
  return pointer_.KnownEverywhere();
}

// On this display, where the clock looks for its window: Qt would open a native Wayland
// window beside Xwayland, which no X client can find or raise.
void X11System::StartProgram(const std::string& exeName) {
  editor_.Start(ProgramFolder(), exeName, {"QT_QPA_PLATFORM=xcb"});
}

std::optional<int> X11System::StartedProgramExitCode() {
  return editor_.ExitCode();
}

// Where the skin editor comes from, and what to edit without it, where.
std::string X11System::MissingEditorAdvice() const {
  std::error_code ec;
  return LinuxMissingEditorAdvice(std::filesystem::current_path(ec).string());
}

// The window manager's list of the windows it manages, or without one the top-level windows.
std::vector<Window> X11System::TopLevelWindows() const {
  std::vector<Window> windows;
  for (long client : display_.ReadCardinals(display_.root(), "_NET_CLIENT_LIST", XA_WINDOW))
    windows.push_back(static_cast<Window>(client));
  if (!windows.empty()) return windows;
  Window rootReturn = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_.get(), display_.root(), &rootReturn, &parent, &children, &count)) {
    windows.assign(children, children + count);
    if (children != nullptr) XFree(children);
  }
  return windows;
}

void X11System::Activate(Window window) {
  if (display_.WindowManagerSupports("_NET_ACTIVE_WINDOW")) {
    // Source 2: a request on the user's behalf (the right-click that started the editor, the
    // second start of the clock), which window managers honour over their focus-stealing
    // prevention.
    display_.SendToWindowManager(window, "_NET_ACTIVE_WINDOW",
                                 {2, static_cast<long>(display_.lastUserTime()), 0});
  } else {
    XRaiseWindow(display_.get(), window);
    XSetInputFocus(display_.get(), window, RevertToParent, CurrentTime);
  }
  XFlush(display_.get());
}

bool X11System::ActivateWindow(const std::string& title) {
  for (Window window : TopLevelWindows()) {
    if (display_.ReadTitle(window) != title) continue;
    Activate(window);
    return true;
  }
  return false;
}

ProcessLock X11System::LockForProcess(const std::string& path) {
  return LockFileForProcess(path).lock;  // held until the process ends
}

// The clock window carries its process id (_NET_WM_PID) and its caption.
bool X11System::ActivateClockOf(uint32_t processId, const std::string& caption) {
  for (Window window : TopLevelWindows()) {
    const std::vector<long> pid = display_.ReadCardinals(window, "_NET_WM_PID", XA_CARDINAL);
    if (pid.size() != 1 || static_cast<uint32_t>(pid[0]) != processId ||
        display_.ReadTitle(window) != caption)
      continue;
    Activate(window);
    return true;
  }
  return false;
}

void X11System::ShowInfoDialog() {
  X11InfoDialog dialog(display_, loop_, ScreenTwipsPerPixel());
  dialog.Run();
}

// Also on stderr, where a clock started from a terminal (or whose X session has ended) can
// still be heard.
void X11System::ShowMessage(const Message& message) {
  std::fprintf(stderr, "%s\n", message.text.c_str());
  if (display_.lost()) return;
  X11MessageBox box(display_, loop_, ScreenTwipsPerPixel(), message);
  box.Run();
}

// The process ends from inside an event handler, maybe one of the dialog or a message box, so no
// destructor of the clock's objects runs: what the libraries keep is let go here, in the order
// they allow (the open fonts, the display with Xft's font cache, fontconfig's configuration).
void X11System::EndProcess(int exitCode) {
  X11Font::CloseAll();
  display_.Close();
  FcFini();
  std::exit(exitCode);
}

}  // namespace quarvel
