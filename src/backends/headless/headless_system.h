#pragma once
// The in-memory system around the clock: fixed twips factors and monitors, a program folder on
// the real file system, real process locks, programs that open windows after a number of event
// passes, a first-run dialog that records that it was shown (and can run a callback while "open"),
// messages kept for inspection (a callback may run while one is "up"), and an end of process
// that is only recorded.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform_system.h"

namespace quarvel {

class HeadlessSystem final : public PlatformSystem {
 public:
  explicit HeadlessSystem(std::string programFolder, float twipsPerPixelX = 15.0f,
                          float twipsPerPixelY = 15.0f);
  ~HeadlessSystem() override;
  HeadlessSystem(const HeadlessSystem&) = delete;
  HeadlessSystem& operator=(const HeadlessSystem&) = delete;

  TwipsPerPixel ScreenTwipsPerPixel() const override { return twips_; }
  bool DrawsAtScreenDpi() const override { return drawsAtScreenDpi_; }
  bool PointerKnownEverywhere() const override { return pointerKnownEverywhere_; }
  std::string ScaleSetting() const override { return scaleSetting_; }
  std::vector<Monitor> Monitors() const override { return monitors_; }
  std::string ProgramFolder() const override { return programFolder_; }
  std::string ProgramFileName(const std::string& name) const override {
    return name + programSuffix_;
  }
  // Paths join with the separator of the file system the files are on; a name starting with a
  // dot counts as hidden; a test may give a path attributes of its own.
  std::string JoinPath(const std::string& folder, const std::string& name) const override {
    return (std::filesystem::path(folder) / name).string();
  }
  std::optional<uint32_t> FindFirstFileAttributes(const std::string& path) override;
  bool GetCursorPos(ScreenPoint& point) override;
  void StartProgram(const std::string& exeName) override;
  std::optional<int> StartedProgramExitCode() override { return lastExitCode_; }
  void DoEvents(int milliseconds) override;
  bool ActivateWindow(const std::string& title) override;
  // The real lock (process_lock.h), let go of by EndProcess and the destructor as by the end
  // of a process.
  ProcessLock LockForProcess(const std::string& path) override;
  bool ActivateClockOf(uint32_t processId, const std::string& caption) override;
  void ShowInfoDialog() override;
  void ShowMessage(const Message& message) override;
  void EndProcess(int exitCode) override;

  // As Linux: programs without ".exe".
  void PlayLinux() { programSuffix_.clear(); }
  void SetAttributes(const std::string& path, uint32_t attributes) {
    attributes_[path] = attributes;
  }
  void SetCursor(int32_t x, int32_t y) { cursor_ = ScreenPoint{x, y}; }
  void FailCursorReads() { cursor_.reset(); }
  int cursorReads() const { return cursorReads_; }
  void SetMonitors(std::vector<Monitor> monitors) { monitors_ = std::move(monitors); }
  // Programs that StartProgram finds; the window title each opens, after how many event passes.
  void InstallProgram(const std::string& exeName, const std::string& windowTitle,
                      int passesUntilWindow);
  // A program that ends with this exit code after so many event passes, before any window.
  void InstallFailingProgram(const std::string& exeName, int exitCode, int passesUntilExit);
  void SetDrawsAtScreenDpi(bool draws) { drawsAtScreenDpi_ = draws; }
  // As Xwayland: the place read is only the last one over the clock's own windows.
  void SetPointerKnownEverywhere(bool known) { pointerKnownEverywhere_ = known; }
  void SetTwipsPerPixel(float x, float y) { twips_ = {x, y}; }
  void SetScaleSetting(std::string setting) { scaleSetting_ = std::move(setting); }
  // A window with this caption that ActivateClockOf finds for that process.
  void ShowClockWindowOf(uint32_t processId, std::string caption) {
    clockWindows_.emplace_back(processId, std::move(caption));
  }
  // Runs at each pass of the event loop, as pending events would.
  void WhileEventsPass(std::function<void()> action) { whileEventsPass_ = std::move(action); }
  // Runs while the dialog is "open", as the modal loop would deliver timer ticks.
  void WhileDialogOpen(std::function<void()> action) { whileDialogOpen_ = std::move(action); }
  // Runs while a message box is "up", as its modal loop would deliver events.
  void WhileMessageUp(std::function<void()> action) { whileMessageUp_ = std::move(action); }

  int dialogsShown() const { return dialogsShown_; }
  void PlayChime() override { ++chimes_; }
  int chimes() const { return chimes_; }
  const std::vector<std::string>& started() const { return started_; }
  const std::vector<std::string>& activated() const { return activated_; }
  const std::vector<uint32_t>& activatedClocks() const { return activatedClocks_; }
  int waited() const { return waited_; }
  const std::vector<std::string>& messages() const { return messages_; }
  const Message& lastMessage() const { return lastMessage_; }
  bool ended() const { return ended_; }
  int exitCode() const { return exitCode_; }

 private:
  std::string programFolder_;
  std::string programSuffix_ = ".exe";
  TwipsPerPixel twips_;
  bool drawsAtScreenDpi_ = false;
  bool pointerKnownEverywhere_ = true;
  std::string scaleSetting_;
  std::vector<Monitor> monitors_{{{0, 0, 1024, 768}, {0, 0, 1024, 740}}};
  std::map<std::string, uint32_t> attributes_;
  std::function<void()> whileDialogOpen_;
  std::function<void()> whileMessageUp_;
  std::function<void()> whileEventsPass_;
  struct Program {
    std::string windowTitle;
    int passesUntilWindow;
    std::optional<int> exitCode;  // a program that fails: its code, after passesUntilWindow
  };
  std::map<std::string, Program> programs_;
  std::map<std::string, int> pendingWindows_;       // title -> event passes still to go
  std::optional<std::pair<int, int>> pendingExit_;  // exit code, event passes still to go
  std::optional<int> lastExitCode_;
  std::vector<std::string> windows_;
  std::vector<std::string> started_;
  std::vector<std::string> activated_;
  std::vector<std::pair<uint32_t, std::string>> clockWindows_;
  std::vector<uint32_t> activatedClocks_;
  std::vector<intptr_t> locks_;
  std::optional<ScreenPoint> cursor_ = ScreenPoint{};
  int cursorReads_ = 0;
  int waited_ = 0;
  int dialogsShown_ = 0;
  int chimes_ = 0;
  std::vector<std::string> messages_;
  Message lastMessage_;
  bool ended_ = false;
  int exitCode_ = -1;
};

}  // namespace quarvel
