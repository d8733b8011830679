#include "backends/headless/headless_system.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/process_lock.h"
#include "runtime/system_errors.h"

namespace quarvel {

HeadlessSystem::HeadlessSystem(std::string programFolder, float twipsPerPixelX,
                               float twipsPerPixelY)
    : programFolder_(std::move(programFolder)), twips_{twipsPerPixelX, twipsPerPixelY} {}

HeadlessSystem::~HeadlessSystem() {
  for (intptr_t lock : locks_) UnlockFile(lock);
}

std::optional<uint32_t> HeadlessSystem::FindFirstFileAttributes(const std::string& path) {
  if (auto it = attributes_.find(path); it != attributes_.end()) return it->second;
  std::error_code ec;
  const std::filesystem::path p(path);
  auto status = std::filesystem::status(p, ec);
  if (ec || !std::filesystem::exists(status)) return std::nullopt;
  uint32_t attributes = 0;
  if (std::filesystem::is_directory(status)) attributes |= file_attribute::kDirectory;
  if (p.filename().string().starts_with(".")) attributes |= file_attribute::kHidden;
  if ((status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
    attributes |= file_attribute::kReadOnly;
  return attributes;
}

bool HeadlessSystem::GetCursorPos(ScreenPoint& point) {
  ++cursorReads_;
  if (!cursor_) return false;
  point = *cursor_;
  return true;
}

void HeadlessSystem::InstallProgram(const std::string& exeName, const std::string& windowTitle,
                                    int passesUntilWindow) {
  programs_[exeName] = Program{windowTitle, passesUntilWindow, std::nullopt};
}

void HeadlessSystem::InstallFailingProgram(const std::string& exeName, int exitCode,
                                           int passesUntilExit) {
  programs_[exeName] = Program{{}, passesUntilExit, exitCode};
}

void HeadlessSystem::StartProgram(const std::string& exeName) {
  auto it = programs_.find(exeName);
  if (it == programs_.end()) throw ProgramStartError(FailureKind::kNotFound, exeName);
  started_.push_back(exeName);
  lastExitCode_.reset();
  pendingExit_.reset();
  if (it->second.exitCode)
    pendingExit_ = std::pair{*it->second.exitCode, it->second.passesUntilWindow};
  else
    pendingWindows_[it->second.windowTitle] = it->second.passesUntilWindow;
}

void HeadlessSystem::DoEvents(int milliseconds) {
  waited_ += milliseconds;
  if (whileEventsPass_) whileEventsPass_();
  if (pendingExit_ && --pendingExit_->second <= 0) {
    lastExitCode_ = pendingExit_->first;
    pendingExit_.reset();
  }
  for (auto it = pendingWindows_.begin(); it != pendingWindows_.end();) {
    if (--it->second <= 0) {
      windows_.push_back(it->first);
      it = pendingWindows_.erase(it);
    } else {
      ++it;
    }
  }
}

bool HeadlessSystem::ActivateWindow(const std::string& title) {
  if (std::find(windows_.begin(), windows_.end(), title) == windows_.end()) return false;
  activated_.push_back(title);
  return true;
}

ProcessLock HeadlessSystem::LockForProcess(const std::string& path) {
  const LockedFile locked = LockFileForProcess(path);
  if (locked.handle != -1) locks_.push_back(locked.handle);
  return locked.lock;
}

bool HeadlessSystem::ActivateClockOf(uint32_t processId, const std::string& caption) {
  if (std::find(clockWindows_.begin(), clockWindows_.end(), std::pair{processId, caption}) ==
      clockWindows_.end())
    return false;
  activatedClocks_.push_back(processId);
  return true;
}

void HeadlessSystem::ShowInfoDialog() {
  ++dialogsShown_;
  if (whileDialogOpen_) whileDialogOpen_();
}

void HeadlessSystem::ShowMessage(const Message& message) {
  messages_.push_back(message.text);
  lastMessage_ = message;
  if (whileMessageUp_) whileMessageUp_();
}

void HeadlessSystem::EndProcess(int exitCode) {
  if (ended_) return;
  ended_ = true;
  exitCode_ = exitCode;
  for (intptr_t lock : locks_) UnlockFile(lock);
  locks_.clear();
}

}  // namespace quarvel
