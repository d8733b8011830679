#pragma once
// The system around the clock on a Wayland desktop: the outputs as monitors, the program's folder,
// the file search, other programs, the event loop, messages and the end of the process. A
// compositor tells no client where the pointer is or which windows others show: those answers
// are "unknown" and "none".
#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "backends/wayland/wayland_display.h"
#include "backends/wayland/wayland_event_loop.h"
#include "backends/wayland/wayland_show_request.h"
#include "backends/wayland/wayland_window.h"
#include "core/desktop/chime_player.h"
#include "core/desktop/started_program.h"
#include "platform/platform_system.h"

namespace quarvel {

class WaylandSystem final : public PlatformSystem {
 public:
  WaylandSystem(WaylandDisplay& display, WaylandEventLoop& loop) : display_(display), loop_(loop) {}

  // The scale of the output that shows the clock, as dots per inch (96 at 1x).
  TwipsPerPixel ScreenTwipsPerPixel() const override;
  // The compositor shows a buffer drawn at the output's scale as drawn.
  bool DrawsAtScreenDpi() const override { return true; }
  void ScaleOf(const WaylandWindow* window) { window_ = window; }
  std::string ScaleSetting() const override;
  // The outputs' logical places; a layer surface's place is the whole output's.
  std::vector<Monitor> Monitors() const override;
  std::string ProgramFolder() const override;
  std::string ProgramFileName(const std::string& name) const override { return name; }
  std::string JoinPath(const std::string& folder, const std::string& name) const override {
    return folder + "/" + name;
  }
  std::optional<uint32_t> FindFirstFileAttributes(const std::string& path) override;
  // The pointer is known only over the clock's own surface.
  bool GetCursorPos(ScreenPoint& /*point*/) override { return false; }
  bool PointerKnownEverywhere() const override { return false; }
  // With an activation token from the click, so that its window comes to the front.
  void StartProgram(const std::string& exeName) override;
  void SetActivationTokenSource(std::function<std::optional<std::string>()> source) {
    activationToken_ = std::move(source);
  }
  std::optional<int> StartedProgramExitCode() override;
  std::string MissingEditorAdvice() const override;
  void DoEvents(int milliseconds) override { loop_.RunFor(milliseconds); }
  // No Wayland protocol lets a client raise another's window: the token did it, or nothing can.
  bool ActivateWindow(const std::string& /*title*/) override { return false; }
  ProcessLock LockForProcess(const std::string& path) override;
  // Asks the clock of that process to show itself (wayland_show_request.h).
  bool ActivateClockOf(uint32_t processId, const std::string& caption) override;
  // This clock's side of it: `show` is asked for each request with the caption wanted.
  void ListenForShowRequests(std::function<bool(const std::string& caption)> show);
  // The first-run dialog and the message boxes are windows of their own (xdg-shell).
  void ShowInfoDialog() override;
  void ShowMessage(const Message& message) override;
  void EndProcess(int exitCode) override;
  void PlayChime() override { chime_.Play(ProgramFolder()); }

 private:
  // The scale of the output the clock is on (120ths): the dialogs are drawn at it too.
  int32_t OutputScale() const;

  WaylandDisplay& display_;
  WaylandEventLoop& loop_;
  const WaylandWindow* window_ = nullptr;  // the clock's, whose output's scale counts
  StartedProgram editor_;                  // the program StartProgram started last
  ChimePlayer chime_;
  std::function<std::optional<std::string>()> activationToken_;
  std::unique_ptr<ShowRequests> showRequests_;
};

}  // namespace quarvel
