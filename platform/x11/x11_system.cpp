#include "platform/x11/x11_system.h"

#include <X11/Xatom.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/x11/x11_info_dialog.h"
#include "platform/x11/x11_message_box.h"
#include "platform/x11/x11_monitors.h"
#include "platform/x11/x11_programs.h"
#include "platform/x11/x11_text.h"
#include "runtime/system_errors.h"

namespace quarvel {

X11System::X11System(X11Display& display, X11EventLoop& loop, std::string filesFolder)
    : display_(display), loop_(loop), filesFolder_(std::move(filesFolder)) {}

// The desktop's own font resolution (Xft.dpi, which GNOME, KDE and xrdb set) is what users
// scale their screens by; without it X programs assume 96.
TwipsPerPixel X11System::ScreenTwipsPerPixel() const {
  float dpi = 96.0f;
  if (const char* resources = XResourceManagerString(display_.get())) {
    const std::string text(resources);
    const std::size_t at = text.find("Xft.dpi:");
    if (at != std::string::npos && (at == 0 || text[at - 1] == '\n')) {
      const float value = std::strtof(text.c_str() + at + 8, nullptr);
      if (value >= 24.0f && value <= 960.0f) dpi = value;
    }
  }
  return {1440.0f / dpi, 1440.0f / dpi};
}

std::vector<Monitor> X11System::Monitors() const {
  return X11Monitors(display_);
}

std::string X11System::ProgramFolder() const {
  return RunningProgramFolder();
}

std::string X11System::FirstRunFolder() const {
  return filesFolder_.empty() ? ProgramFolder() : filesFolder_;
}

// NOTE: the clock builds its paths with Windows' backslash; a Linux name may hold one, but
// none of the clock's do, and without this the first run would be decided on a file that
// can't exist.
std::optional<uint32_t> X11System::FindFirstFileAttributes(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  struct stat status {};
  if (stat(native.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    throw DirectorySearchError(errno, path);
  }
  uint32_t attributes = 0;
  if (S_ISDIR(status.st_mode)) attributes |= file_attribute::kDirectory;
  if (std::filesystem::path(native).filename().string().starts_with("."))
    attributes |= file_attribute::kHidden;  // how Linux hides a file
  if ((status.st_mode & S_IWUSR) == 0) attributes |= file_attribute::kReadOnly;
  return attributes;
}

void X11System::AskPointerAhead() {
  if (display_.lost()) return;
  if (pointerAsked_) xcb_discard_reply(display_.xcb(), pointerQuery_.sequence);
  pointerQuery_ = xcb_query_pointer(display_.xcb(), static_cast<xcb_window_t>(display_.root()));
  pointerAsked_ = true;
  xcb_flush(display_.xcb());
}

// The core reads the pointer once a second, right after drawing the face. Asked for when the
// timer woke the clock, the answer is mostly there by then; asked for only now, the clock would
// mostly sleep once more each second, waiting for it.
bool X11System::GetCursorPos(ScreenPoint& point) {
  if (!pointerAsked_) AskPointerAhead();
  pointerAsked_ = false;
  xcb_query_pointer_reply_t* reply =
      xcb_query_pointer_reply(display_.xcb(), pointerQuery_, nullptr);
  if (reply == nullptr) return false;
  display_.NoteAnswered(pointerQuery_.sequence);
  const bool onThisScreen = reply->same_screen != 0;
  if (onThisScreen) point = ScreenPoint{reply->root_x, reply->root_y};
  std::free(reply);
  return onThisScreen;  // false: on another screen of the display
}

void X11System::StartProgram(const std::string& exeName) {
  const std::string program = FindProgram(ProgramFolder(), exeName);
  if (program.empty()) throw RuntimeError(ErrorNumber::kFileNotFound, exeName);
  const pid_t pid = SpawnProgram(program, {});
  if (pid < 0) throw ProgramStartError(-pid, exeName);
}

// The window manager's list of the windows it manages, or without one the top-level windows.
bool X11System::ActivateWindow(const std::string& title) {
  Display* d = display_.get();
  std::vector<long> clients =
      display_.ReadCardinals(display_.root(), "_NET_CLIENT_LIST", XA_WINDOW);
  if (clients.empty()) {
    Window rootReturn = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, display_.root(), &rootReturn, &parent, &children, &count)) {
      for (unsigned int i = 0; i < count; ++i) clients.push_back(static_cast<long>(children[i]));
      if (children != nullptr) XFree(children);
    }
  }
  for (long client : clients) {
    const auto window = static_cast<Window>(client);
    if (display_.ReadTitle(window) != title) continue;
    if (display_.WindowManagerSupports("_NET_ACTIVE_WINDOW")) {
      // Source 2: a request on the user's behalf (the right-click that started the editor),
      // which window managers honour over their focus-stealing prevention.
      display_.SendToWindowManager(window, "_NET_ACTIVE_WINDOW",
                                   {2, static_cast<long>(display_.lastUserTime()), 0});
    } else {
      XRaiseWindow(d, window);
      XSetInputFocus(d, window, RevertToParent, CurrentTime);
    }
    XFlush(d);
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
void X11System::ShowMessage(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  if (display_.lost()) return;
  X11MessageBox box(display_, loop_, ScreenTwipsPerPixel(), text);
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
