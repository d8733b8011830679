#pragma once
// Reading and replacing the clock's data files without trusting what lies in their folder: a
// read takes only a regular file of a bounded size and never blocks on a FIFO or a device; a
// save writes a new, uniquely named temporary file beside the target (never following or moving
// anything already there), flushes it to the disk and renames it over the target. Every program
// (clock, editor, preview) reads and saves through these two functions, on both builds.
#include <cstdint>
#include <string>

#include "runtime/runtime_error.h"

namespace quarvel {

// A settings or hand file is a few lines; anything larger is not one of ours.
inline constexpr std::uint64_t kMaxDataFileBytes = std::uint64_t{1} << 20;

// The whole content of a regular file of at most maxBytes bytes. Raises file not found,
// permission denied, or path/file access error (also for a FIFO, a device or a folder, which
// are refused without being read); a larger file raises `tooLarge`, saying "too large" with its
// size and the limit. Errors name displayName.
std::string ReadRegularFile(const std::string& path, const std::string& displayName,
                            std::uint64_t maxBytes = kMaxDataFileBytes,
                            ErrorNumber tooLarge = ErrorNumber::kPathFileAccessError);

// Raises path/file access error for a target a save refuses before writing anything: something
// that is there but is not a regular file (a folder, a FIFO, a device), or a read-only file.
// Links are followed: the target is the file a link ends at; but on POSIX a link in a sticky
// folder anyone may write to, owned by neither the user nor the folder's owner, is refused as
// Linux's fs.protected_symlinks refuses it (permission denied), whatever the system's setting.
void CheckSafeReplace(const std::string& path, const std::string& displayName);

// Makes `bytes` the whole content of the file at path in one step: whatever fails, the old
// content survives whole. Where path is a symbolic link the file it ends at is replaced and the
// link stays a link. The mode (and, where the process may set it, the owner) of the file it
// replaces are kept. When the folder takes no new files but the file itself is writable, the
// file is rewritten in place instead (its old content is put back if that write fails).
// Raises disk full, permission denied or path/file access error, naming displayName. Both
// SafeReplace and SafeCreate first clear the folder of the temporary files killed saves left
// there (runtime/stale_temps.h).
void SafeReplace(const std::string& path, const std::string& bytes, const std::string& displayName);

// Makes a file at path with `bytes` as its whole content, only where nothing has the name: the
// content goes into a new temporary file beside it, flushed, which then takes the name in one
// step that never replaces anything (so a full disk leaves no cut file, and a file or link that
// someone puts there meanwhile stays). False, with nothing left behind, when the name is taken.
// Raises disk full, permission denied or path/file access error, naming displayName.
bool SafeCreate(const std::string& path, const std::string& bytes, const std::string& displayName);

}  // namespace quarvel
