#pragma once
// The system around the clock on Windows: the screens, the program's folder, the directory
// search, the pointer, other programs, the event loop, the first-run dialog, message boxes and
// the end of the process.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/platform_system.h"

namespace quarvel {

class Win32System final : public PlatformSystem {
 public:
  explicit Win32System(HINSTANCE instance) : instance_(instance) {}
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  // The clock window owns the first-run dialog (hidden at that time, which keeps the dialog off
  // the task bar) and the message boxes, which an owned window keeps above it.
  void SetOwner(HWND owner) { owner_ = owner; }

  // The DPI of the monitor the clock (the owner) is on.
  TwipsPerPixel ScreenTwipsPerPixel() const override;
  bool DrawsAtScreenDpi() const override { return true; }
  std::vector<Monitor> Monitors() const override;
  std::string ProgramFolder() const override;
  std::optional<uint32_t> FindFirstFileAttributes(const std::string& path) override;
  bool GetCursorPos(ScreenPoint& point) override;
  void PlayChime() override;
  void StartProgram(const std::string& exeName) override;
  std::optional<int> StartedProgramExitCode() override;
  void DoEvents(int milliseconds) override;
  bool ActivateWindow(const std::string& title) override;
  ProcessLock LockForProcess(const std::string& path) override;
  bool ActivateClockOf(uint32_t processId, const std::string& caption) override;
  void ShowInfoDialog() override;
  void ShowMessage(const Message& message) override;
  void EndProcess(int exitCode) override;

 private:
  HINSTANCE instance_;
  HWND owner_ = nullptr;
  HANDLE started_ = nullptr;  // the process StartProgram started last
};

}  // namespace quarvel
