#pragma once
// The lock behind PlatformSystem::LockForProcess, one implementation per operating system: an
// flock() on POSIX systems, LockFileEx on Windows. Both belong to the open file, so the system
// drops them when the process ends, however it ends; the file itself stays, holding the last
// holder's process id as text.
#include <cstdint>
#include <string>

#include "platform/platform_system.h"

namespace quarvel {

struct LockedFile {
  ProcessLock lock;
  intptr_t handle = -1;  // kHeld: the open file that holds the lock (a descriptor or a HANDLE)
};

// Locks the file without waiting. A program keeps the handle until it ends (the lock ends
// with it); the in-memory backend gives it back with UnlockFile when its process "ends".
LockedFile LockFileForProcess(const std::string& path);
void UnlockFile(intptr_t handle);

}  // namespace quarvel
