#include "backends/wayland/wayland_system.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "backends/wayland/wayland_activation.h"
#include "backends/wayland/wayland_info_dialog.h"
#include "backends/wayland/wayland_message_box.h"
#include "core/desktop/file_attributes.h"
#include "core/desktop/programs.h"
#include "platform/process_lock.h"

namespace quarvel {

TwipsPerPixel WaylandSystem::ScreenTwipsPerPixel() const {
  return TwipsAtOutputScale(OutputScale());
}

int32_t WaylandSystem::OutputScale() const {
  return window_ != nullptr ? window_->OutputScale() : kScaleUnit;
}

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

// Qt opens the editor on the same compositor and comes to the front with the token.
void WaylandSystem::StartProgram(const std::string& exeName) {
  const std::optional<std::string> token =
      activationToken_ ? activationToken_() : std::optional<std::string>();
  editor_.Start(ProgramFolder(), exeName, ActivationSettings(token));
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

bool WaylandSystem::ActivateClockOf(uint32_t processId, const std::string& caption) {
  return AskClockToShow(ShowSocketPath(std::getenv("XDG_RUNTIME_DIR"), processId), caption);
}

void WaylandSystem::ListenForShowRequests(std::function<bool(const std::string& caption)> show) {
  showRequests_ = std::make_unique<ShowRequests>(
      ShowSocketPath(std::getenv("XDG_RUNTIME_DIR"), static_cast<uint32_t>(getpid())));
  if (showRequests_->fd() < 0) return;
  loop_.WatchInput(showRequests_->fd(),
                   [this, show = std::move(show)] { showRequests_->Answer(show); });
}

// A compositor without xdg-shell can show no dialog: the greeting goes to stderr then.
void WaylandSystem::ShowInfoDialog() {
  WaylandInfoDialog dialog(display_, loop_, OutputScale());
  if (!dialog.Run())
    std::fputs("quarvel: no settings.ini here yet: the clock starts with its defaults\n", stderr);
}

// Also on stderr, where a clock started from a terminal (or whose session has ended) can still
// be heard.
void WaylandSystem::ShowMessage(const Message& message) {
  std::fprintf(stderr, "%s\n", message.text.c_str());
  if (display_.lost()) return;
  WaylandMessageBox box(display_, loop_, OutputScale(), message);
  box.Run();
}

// fontconfig, which the dialogs' font choice loaded, is let go of last (no font holds it then).
void WaylandSystem::EndProcess(int exitCode) {
  showRequests_.reset();  // no socket left for a clock that has ended
  display_.Flush();
  FcFini();
  std::exit(exitCode);
}

}  // namespace quarvel
