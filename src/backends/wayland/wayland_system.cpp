#include "backends/wayland/wayland_system.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "backends/wayland/wayland_info_dialog.h"
#include "backends/wayland/wayland_message_box.h"
#include "core/desktop/file_attributes.h"
#include "core/desktop/programs.h"
#include "platform/process_lock.h"

namespace quarvel {

std::string WaylandSystem::ScaleSetting() const {
  const char* setting = std::getenv("QUARVEL_SCALE");
  return setting != nullptr ? setting : "";
}

std::vector<Monitor> WaylandSystem::Monitors() const {
  std::vector<Monitor> monitors;
  for (const ScreenRect& place : display_.OutputPlaces()) monitors.push_back({place, place});
  return monitors;
}

std::string WaylandSystem::ProgramFolder() const {
  return RunningProgramFolder();
}

std::optional<uint32_t> WaylandSystem::FindFirstFileAttributes(const std::string& path) {
  return LinuxFileAttributes(path);
}

// Qt opens the editor on the same compositor.
void WaylandSystem::StartProgram(const std::string& exeName) {
  editor_.Start(ProgramFolder(), exeName);
}

std::optional<int> WaylandSystem::StartedProgramExitCode() {
  return editor_.ExitCode();
}

std::string WaylandSystem::MissingEditorAdvice() const {
  std::error_code ec;
  return LinuxMissingEditorAdvice(std::filesystem::current_path(ec).string());
}

ProcessLock WaylandSystem::LockForProcess(const std::string& path) {
  return LockFileForProcess(path).lock;  // held until the process ends
}

// A compositor without xdg-shell can show no dialog: the greeting goes to stderr then.
void WaylandSystem::ShowInfoDialog() {
  WaylandInfoDialog dialog(display_, loop_, ScreenTwipsPerPixel());
  if (!dialog.Run())
    std::fputs("quarvel: no settings.ini here yet: the clock starts with its defaults\n", stderr);
}

// Also on stderr, where a clock started from a terminal (or whose session has ended) can still
// be heard.
void WaylandSystem::ShowMessage(const Message& message) {
  std::fprintf(stderr, "%s\n", message.text.c_str());
  if (display_.lost()) return;
  WaylandMessageBox box(display_, loop_, ScreenTwipsPerPixel(), message);
  box.Run();
}

// fontconfig, which the dialogs' font choice loaded, is let go of last (no font holds it then).
void WaylandSystem::EndProcess(int exitCode) {
  display_.Flush();
  FcFini();
  std::exit(exitCode);
}

}  // namespace quarvel
