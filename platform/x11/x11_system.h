#pragma once
// The system around the clock on Linux and X11: the screens, the program's folder, the file
// search, the pointer, other programs and their windows, the event loop, the first-run dialog,
// message boxes and the end of the process.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/platform_system.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_event_loop.h"

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
  // Not under Xwayland, told by the server's own XWAYLAND extension.
  bool PointerKnownEverywhere() const override;
  // Asks for the pointer's place now, for the next GetCursorPos (see there), when it is wanted
  // and the server's alarm did not bring it: the core read it after the last question (it hides
  // from the pointer), or pictures go out fast (a lap), whose shared memory the answer sets
  // free. An idle clock asks nothing.
  void AskPointerAhead();
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

 private:
  std::vector<Window> TopLevelWindows() const;
  void Activate(Window window);

  X11Display& display_;
  mutable std::optional<bool> xwayland_;  // the server is Xwayland: asked once
  X11EventLoop& loop_;
  pid_t started_ = 0;  // the program StartProgram started last, until it is reaped
  std::optional<int> startedExit_;
  bool pointerAsked_ = false;
  bool pointerRead_ = false;  // GetCursorPos ran since the last question
  xcb_query_pointer_cookie_t pointerQuery_{};
};

}  // namespace quarvel
