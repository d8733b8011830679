#include "platform/process_lock.h"

#include <cstdlib>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quarvel {

namespace {
uint32_t ProcessIdIn(const char* text) {
  return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
}
}  // namespace

#ifdef _WIN32

// The lock covers one byte far past the text, so the holder's id stays readable to others.
LockedFile LockFileForProcess(const std::string& path) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    file = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  OVERLAPPED beyond{};
  beyond.OffsetHigh = 1;
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &beyond)) {
    const DWORD error = GetLastError();
    char text[16] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) return {};
    return {{ProcessLock::State::kHeldElsewhere, ProcessIdIn(text)}};
  }
  const DWORD self = GetCurrentProcessId();
  const std::string text = std::to_string(self) + "\r\n";
  DWORD written = 0;
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
    SetEndOfFile(file);
  return {{ProcessLock::State::kHeld, self}, reinterpret_cast<intptr_t>(file)};
}

void UnlockFile(intptr_t handle) {
  if (handle != -1) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

#else

// O_CLOEXEC: a program the clock starts (the editor, the viewer) must not keep its lock.
LockedFile LockFileForProcess(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    char text[16] = {};
    const ssize_t read = pread(fd, text, sizeof text - 1, 0);
    close(fd);
    if (error != EWOULDBLOCK) return {};
    return {{ProcessLock::State::kHeldElsewhere, read > 0 ? ProcessIdIn(text) : 0}};
  }
  const auto self = static_cast<uint32_t>(getpid());
  const std::string text = std::to_string(self) + "\n";
  if (ftruncate(fd, 0) != 0 || pwrite(fd, text.data(), text.size(), 0) < 0) {
    // A file we may lock but not write: the lock holds all the same, without the id.
  }
  return {{ProcessLock::State::kHeld, self}, fd};
}

void UnlockFile(intptr_t handle) {
  if (handle != -1) close(static_cast<int>(handle));
}

#endif

}  // namespace quarvel
