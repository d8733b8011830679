#include "runtime/stale_temps.h"

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#endif

namespace quarvel {

bool IsTempName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + kTempRandomLetters + kTempSuffix.size() ||
      !name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix))
    return false;
  const std::string_view letters = name.substr(kTempPrefix.size(), kTempRandomLetters);
  return letters.find_first_not_of(kTempLetters) == std::string_view::npos;
}

#if !defined(_WIN32)

void RemoveStaleTemps(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dirFd = ::dirfd(dir);
  const std::time_t before = std::time(nullptr) - std::chrono::seconds(kStaleTempAge).count();
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTempName(entry->d_name)) continue;
    // The entry itself, never what a link points at; unlinking a name never follows one either.
    struct stat info {};
    if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_mtime <= before)
      ::unlinkat(dirFd, entry->d_name, 0);
  }
  ::closedir(dir);
}

#else  // Windows

void RemoveStaleTemps(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\.qv*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& t) {  // 100 ns since 1601
    return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
  };
  const std::uint64_t age = std::chrono::duration_cast<std::chrono::seconds>(kStaleTempAge).count();
  const std::uint64_t before = ticks(now) - age * 10'000'000;
  // Only plain files: a folder, a link (a reparse point) or a read-only file is not one of ours.
  constexpr DWORD kNotOurs =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY;
  do {
    if (IsTempName(found.cFileName) && (found.dwFileAttributes & kNotOurs) == 0 &&
        ticks(found.ftLastWriteTime) <= before)
      DeleteFileA((folder + "\\" + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

#endif

}  // namespace quarvel
