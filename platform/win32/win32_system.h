#pragma once
// The system around the clock on Windows: screen factors, the program's folder, the directory
// search, the first-run dialog, message boxes and the end of the process.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/platform_system.h"

namespace quarvel {

class Win32System final : public PlatformSystem {
 public:
  explicit Win32System(HINSTANCE instance);

  // The window that owns the dialog (hidden at that time), which keeps it off the task bar.
  void SetDialogOwner(HWND owner) { dialogOwner_ = owner; }

  float TwipsPerPixelX() const override { return fx_; }
  float TwipsPerPixelY() const override { return fy_; }
  std::string ProgramFolder() const override;
  std::optional<uint32_t> FindFirstFileAttributes(const std::string& path) override;
  bool GetCursorPos(ScreenPoint& point) override;
  int32_t VirtualScreenLeft() const override;
  void StartProgram(const std::string& exeName) override;
  void DoEvents() override;
  bool ActivateWindow(const std::string& title) override;
  void Pause(int milliseconds) override;
  void ShowInfoDialog() override;
  void ShowMessage(const std::string& text) override;
  void EndProcess(int exitCode) override;

 private:
  HINSTANCE instance_;
  HWND dialogOwner_ = nullptr;
  float fx_;
  float fy_;
};

}  // namespace quarvel
