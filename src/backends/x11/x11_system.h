#pragma once
// The system around the clock on Linux and X11: the screens, the program's folder, the file
// search, the pointer, other programs and their windows, the event loop, the first-run dialog,
// message boxes and the end of the process.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "backends/x11/x11_display.h"
#include "backends/x11/x11_event_loop.h"
#include "backends/x11/x11_pointer.h"
#include "core/desktop/chime_player.h"
#include "core/desktop/started_program.h"
#include "platform/platform_system.h"

namespace quarvel {

class X11System final : public PlatformSystem {
 public:
  X11System(X11Display& display, X11EventLoop& loop);

  TwipsPerPixel ScreenTwipsPerPixel() const override;
  // The clock draws itself at Xft.dpi; QUARVEL_SCALE overrides (x11_scale.cpp).
  bool DrawsAtScreenDpi() const override { return true; }
  std::string ScaleSetting() const override;
  std::vector<Monitor> Monitors() const override;
  std::string ProgramFolder() const override;
  std::string ProgramFileName(const std::string& name) const override { return name; }
  std::string JoinPath(const std::string& folder, const std::string& name) const override {
    return folder + "/" + name;
  }
  std::optional<uint32_t> FindFirstFileAttributes(const std::string& path) override;
  bool GetCursorPos(ScreenPoint& point) override;
  bool PointerKnownEverywhere() const override;
  void StartProgram(const std::string& exeName) override;
  std::optional<int> StartedProgramExitCode() override;
  std::string MissingEditorAdvice() const override;
  void DoEvents(int milliseconds) override { loop_.RunFor(milliseconds); }
  bool ActivateWindow(const std::string& title) override;
  ProcessLock LockForProcess(const std::string& path) override;
  bool ActivateClockOf(uint32_t processId, const std::string& caption) override;
  void ShowInfoDialog() override;
  void ShowMessage(const Message& message) override;
  void EndProcess(int exitCode) override;
  void PlayChime() override { chime_.Play(ProgramFolder()); }

 private:
  std::vector<Window> TopLevelWindows() const;
  void Activate(Window window);

  X11Display& display_;
  X11EventLoop& loop_;
  StartedProgram editor_;  // the program StartProgram started last
  ChimePlayer chime_;
  X11Pointer pointer_;
};

}  // namespace quarvel
