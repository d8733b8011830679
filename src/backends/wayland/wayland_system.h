#pragma once
// The system around the clock on a Wayland desktop: the outputs as monitors, the program's folder,
// the file search, other programs, the event loop, messages and the end of the process. A
// compositor tells no client where the pointer is or which windows others show: those answers
// are "unknown" and "none".
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "backends/wayland/wayland_display.h"
#include "backends/wayland/wayland_event_loop.h"
#include "core/desktop/started_program.h"
#include "platform/platform_system.h"

namespace quarvel {

class WaylandSystem final : public PlatformSystem {
 public:
  WaylandSystem(WaylandDisplay& display, WaylandEventLoop& loop) : display_(display), loop_(loop) {}

  TwipsPerPixel ScreenTwipsPerPixel() const override { return {}; }
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
  void StartProgram(const std::string& exeName) override;
  std::optional<int> StartedProgramExitCode() override;
  std::string MissingEditorAdvice() const override;
  void DoEvents(int milliseconds) override { loop_.RunFor(milliseconds); }
  // No Wayland protocol lets a client raise another's window yet.
  bool ActivateWindow(const std::string& /*title*/) override { return false; }
  ProcessLock LockForProcess(const std::string& path) override;
  bool ActivateClockOf(uint32_t /*processId*/, const std::string& /*caption*/) override {
    return false;
  }
  // The first-run dialog and the message boxes are windows of their own (xdg-shell).
  void ShowInfoDialog() override;
  void ShowMessage(const Message& message) override;
  void EndProcess(int exitCode) override;

 private:
  WaylandDisplay& display_;
  WaylandEventLoop& loop_;
  StartedProgram editor_;  // the program StartProgram started last
};

}  // namespace quarvel
