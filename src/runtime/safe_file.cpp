#include "runtime/safe_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "runtime/stale_temps.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>  // RENAME_NOREPLACE
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace quarvel {

namespace {

// How many differently named temporary files a save tries before it gives up.
constexpr int kTempAttempts = 64;

// The folder a path names a file in: up to its last separator ("." when there is none).
std::string FolderOf(const std::string& path) {
#if defined(_WIN32)
  const std::size_t slash = path.find_last_of("\\/");
#else
  const std::size_t slash = path.rfind('/');
#endif
  if (slash == std::string::npos) return ".";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

// A short random name for a temporary file: short, so a target with a name of the longest
// length the file system allows still gets one; random, so two programs saving in one folder at
// once never meet, and nobody can plant something under the name in advance.
std::string TempName() {
  // The time and the thread go into the seed too, for a library whose random_device is weak.
  thread_local std::mt19937_64 generator{[] {
    std::random_device device;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return (std::uint64_t{device()} << 32) ^ device() ^ static_cast<std::uint64_t>(ticks) ^
           std::hash<std::thread::id>{}(std::this_thread::get_id());
  }()};
  std::string name(kTempPrefix);
  std::uniform_int_distribution<std::size_t> pick(0, kTempLetters.size() - 1);
  for (std::size_t i = 0; i < kTempRandomLetters; ++i) name += kTempLetters[pick(generator)];
  return name.append(kTempSuffix);
}

// "1 MiB", "1025 MiB": a limit as people read it.
std::string SizeText(std::uint64_t bytes) {
  constexpr std::uint64_t kMiB = std::uint64_t{1} << 20, kGiB = std::uint64_t{1} << 30;
  if (bytes % kGiB == 0) return std::to_string(bytes / kGiB) + " GiB";
  if (bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

// A file refused for its size says so, with its size (0: grown while read) and the limit, so the
// report does not look like a broken disk.
RuntimeError TooLarge(ErrorNumber number, const std::string& displayName, std::uint64_t size,
                      std::uint64_t limit) {
  std::string where = "too large";
  if (size != 0) where += ": " + std::to_string(size) + " bytes";
  return RuntimeError(number, displayName, where + ", the limit is " + SizeText(limit));
}

}  // namespace

#if !defined(_WIN32)

namespace {

RuntimeError ReadError(int error, const std::string& name) {
  if (error == ENOENT) return RuntimeError(ErrorNumber::kFileNotFound, name);
  if (error == EACCES) return RuntimeError(ErrorNumber::kPermissionDenied, name);
  return RuntimeError(ErrorNumber::kPathFileAccessError, name);
}

RuntimeError WriteError(int error, const std::string& name) {
  if (error == ENOSPC || error == EDQUOT) return RuntimeError(ErrorNumber::kDiskFull, name);
  if (error == EACCES || error == EPERM || error == EROFS)
    return RuntimeError(ErrorNumber::kPermissionDenied, name);
  return RuntimeError(ErrorNumber::kPathFileAccessError, name);
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and tells whether the close (the last chance for a write error) went well.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Writes all the bytes from `at` on; false with errno set when that fails.
bool WriteAll(int fd, const std::string& bytes, off_t at) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Whether the kernel's fs.protected_symlinks rule lets this process follow the link: not when
// it lies in a sticky folder anyone may write to (/tmp, a shared drop folder) and belongs to
// neither this user nor the folder's owner. Applied here whatever the system's own setting, as
// the save follows the link by hand: another user's link there would make it overwrite any
// file this user may write.
bool MayFollowLink(const struct stat& link, const std::string& folder) {
  struct stat dir {};
  if (::stat(folder.c_str(), &dir) != 0) return false;
  const bool shared = (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
}

// The file a chain of symbolic links ends at (the path itself when it is no link). The end may
// not exist yet: a link to a missing file is saved by creating that file. A link another user
// planted in a shared sticky folder is refused (permission denied), as the kernel refuses it.
std::string FinalTarget(const std::string& path, const std::string& name) {
  std::string at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return at;
    if (!MayFollowLink(info, FolderOf(at)))
      throw RuntimeError(ErrorNumber::kPermissionDenied, name,
                         "a link of another user in a shared folder: not followed");
    std::array<char, 4096> link{};
    const ssize_t n = ::readlink(at.c_str(), link.data(), link.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= link.size())
      throw RuntimeError(ErrorNumber::kPathFileAccessError, name);
    const std::string to(link.data(), static_cast<std::size_t>(n));
    at = to.front() == '/' ? to : FolderOf(at) + "/" + to;
  }
  throw RuntimeError(ErrorNumber::kPathFileAccessError, name);  // a loop of links
}

// A new, exclusive temporary file in the folder: whatever already has a name tried, link or
// file, is left alone. The descriptor (-1 with errno set when none could be made) and its path.
int OpenNewTemp(const std::string& folder, std::string& temp) {
  RemoveStaleTemps(folder);
  int fd = -1;
  for (int attempt = 0; attempt < kTempAttempts && fd < 0; ++attempt) {
    temp = folder + "/" + TempName();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  return fd;
}

// Gives the temporary file the target's name unless something has that name already: false
// (errno EEXIST) then. renameat2's no-replace where the file system has it, else a hard link.
bool RenameNoReplace(const std::string& temp, const std::string& target) {
#if defined(SYS_renameat2) && defined(RENAME_NOREPLACE)
  if (::syscall(SYS_renameat2, AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(),
                RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  if (::link(temp.c_str(), target.c_str()) != 0) return false;
  ::unlink(temp.c_str());
  return true;
}

void FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // the rename's own durability; the content is safe either way
  ::close(fd);
}

// The fallback for a folder that takes no new files: rewrite the existing regular file in place,
// and put its old content back when the new content can't be written whole.
void RewriteInPlace(const std::string& target, const std::string& bytes, const std::string& name,
                    int folderError) {
  Descriptor file(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) throw WriteError(folderError, name);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uint64_t>(info.st_size) > kMaxDataFileBytes * 64)
    throw WriteError(folderError, name);
  std::string old(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t got = 0;
  while (got < old.size()) {
    const ssize_t n =
        ::pread(file.get(), old.data() + got, old.size() - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  old.resize(got);
  if (WriteAll(file.get(), bytes, 0) &&
      ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(file.get()) == 0)
    return;
  const int error = errno;
  if (WriteAll(file.get(), old, 0)) {
    if (::ftruncate(file.get(), static_cast<off_t>(old.size())) == 0) ::fsync(file.get());
  }
  throw WriteError(error, name);
}

}  // namespace

std::string ReadRegularFile(const std::string& path, const std::string& displayName,
                            std::uint64_t maxBytes, ErrorNumber tooLarge) {
  // O_NONBLOCK: opening a FIFO with no writer would wait for one for ever. What was opened is
  // then checked, not the name, so nothing can be swapped in between.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) throw ReadError(errno, displayName);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
    throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
    throw TooLarge(tooLarge, displayName, static_cast<std::uint64_t>(info.st_size), maxBytes);
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));  // one allocation for a big face
  std::array<char, 16384> buffer{};
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
    if (n == 0) break;
    // The file may have grown since it was measured.
    if (content.size() + static_cast<std::uint64_t>(n) > maxBytes)
      throw TooLarge(tooLarge, displayName, 0, maxBytes);
    content.append(buffer.data(), static_cast<std::size_t>(n));
  }
  return content;
}

void CheckSafeReplace(const std::string& path, const std::string& displayName) {
  struct stat info {};
  if (::stat(FinalTarget(path, displayName).c_str(), &info) != 0)
    return;  // missing: the save creates it
  // A read-only file is refused as opening it for output would be, even where the file system
  // would let a rename replace it; anything but a regular file is never replaced.
  if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0)
    throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
}

void SafeReplace(const std::string& path, const std::string& bytes,
                 const std::string& displayName) {
  CheckSafeReplace(path, displayName);
  const std::string target = FinalTarget(path, displayName);
  const std::string folder = FolderOf(target);
  struct stat old {};
  const bool exists = ::lstat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode))
    throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);

  std::string temp;
  const int fd = OpenNewTemp(folder, temp);
  if (fd < 0) {
    const int error = errno;
    if (exists && (error == EACCES || error == EPERM || error == EROFS))
      return RewriteInPlace(target, bytes, displayName, error);
    throw WriteError(error, displayName);
  }
  Descriptor file(fd);
  auto fail = [&](int error) {
    ::unlink(temp.c_str());
    return WriteError(error, displayName);
  };
  if (exists) {
    // The owner first: changing it may clear the set-id bits the mode then restores. Only root
    // may give a file away; anyone else keeps their own as owner, which is what they had.
    if (::fchown(file.get(), old.st_uid, old.st_gid) != 0) {
      // ignored: the content matters more than the owner
    }
    if (::fchmod(file.get(), old.st_mode & 07777) != 0) throw fail(errno);
  }
  if (!WriteAll(file.get(), bytes, 0) || ::fsync(file.get()) != 0) throw fail(errno);
  if (!file.Close()) throw fail(errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) throw fail(errno);
  FlushFolder(folder);
}

bool SafeCreate(const std::string& path, const std::string& bytes, const std::string& displayName) {
  const std::string folder = FolderOf(path);
  std::string temp;
  Descriptor file(OpenNewTemp(folder, temp));
  if (file.get() < 0) throw WriteError(errno, displayName);
  auto fail = [&](int error) {
    ::unlink(temp.c_str());
    return WriteError(error, displayName);
  };
  if (!WriteAll(file.get(), bytes, 0) || ::fsync(file.get()) != 0) throw fail(errno);
  if (!file.Close()) throw fail(errno);
  if (!RenameNoReplace(temp, path)) {
    const int error = errno;
    ::unlink(temp.c_str());
    if (error == EEXIST) return false;
    throw WriteError(error, displayName);
  }
  FlushFolder(folder);
  return true;
}

#else  // Windows

namespace {

RuntimeError ReadError(DWORD error, const std::string& name) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
    return RuntimeError(ErrorNumber::kFileNotFound, name);
  if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
    return RuntimeError(ErrorNumber::kPermissionDenied, name);
  return RuntimeError(ErrorNumber::kPathFileAccessError, name);
}

RuntimeError WriteError(DWORD error, const std::string& name) {
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
    return RuntimeError(ErrorNumber::kDiskFull, name);
  if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
      error == ERROR_SHARING_VIOLATION)
    return RuntimeError(ErrorNumber::kPermissionDenied, name);
  return RuntimeError(ErrorNumber::kPathFileAccessError, name);
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool Close() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != 0;
  }

 private:
  HANDLE h_;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    done += written;
  }
  return true;
}

// The file a symbolic link (a reparse point) ends at; the path itself for anything else.
std::string FinalTarget(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
    return path;
  Handle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return path;
  std::array<char, MAX_PATH + 8> final{};
  const DWORD n = GetFinalPathNameByHandleA(file.get(), final.data(),
                                            static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
  if (n == 0 || n >= final.size()) return path;
  return std::string(final.data(), n);
}

// A new temporary file with a unique name in folder. CREATE_NEW: whatever already has the name,
// link or file, is left alone. INVALID_HANDLE_VALUE, with the error, when none can be made.
HANDLE OpenNewTemp(const std::string& folder, std::string& temp, DWORD& error) {
  RemoveStaleTemps(folder);
  HANDLE created = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < kTempAttempts && created == INVALID_HANDLE_VALUE; ++attempt) {
    temp = folder + "\\" + TempName();
    created = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    error = GetLastError();
    if (created == INVALID_HANDLE_VALUE && error != ERROR_FILE_EXISTS &&
        error != ERROR_ALREADY_EXISTS)
      break;
  }
  return created;
}

// Writes the bytes into the new temporary file, flushes and closes it; on a failure the
// temporary is deleted and the error raised.
void FillTemp(HANDLE created, const std::string& temp, const std::string& bytes,
              const std::string& displayName) {
  Handle file(created);
  auto fail = [&](DWORD why) {
    DeleteFileA(temp.c_str());
    return WriteError(why, displayName);
  };
  if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
    const DWORD why = GetLastError();
    file.Close();
    throw fail(why);
  }
  if (!file.Close()) throw fail(GetLastError());
}

void RewriteInPlace(const std::string& target, const std::string& bytes, const std::string& name,
                    DWORD folderError) {
  Handle file(CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size) ||
      static_cast<std::uint64_t>(size.QuadPart) > kMaxDataFileBytes * 64)
    throw WriteError(folderError, name);
  std::string old(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!old.empty() &&
      !ReadFile(file.get(), old.data(), static_cast<DWORD>(old.size()), &got, nullptr))
    throw WriteError(folderError, name);
  old.resize(got);
  auto rewind = [&] { return SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == 0; };
  if (rewind() && WriteAll(file.get(), bytes) && SetEndOfFile(file.get()) &&
      FlushFileBuffers(file.get()))
    return;
  const DWORD error = GetLastError();
  if (rewind() && WriteAll(file.get(), old) && SetEndOfFile(file.get()))
    FlushFileBuffers(file.get());
  throw WriteError(error, name);
}

}  // namespace

std::string ReadRegularFile(const std::string& path, const std::string& displayName,
                            std::uint64_t maxBytes, ErrorNumber tooLarge) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // A folder opens only with backup semantics; it is no file to read.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
    throw ReadError(error, displayName);
  }
  // Devices (NUL, CON, COM1) and pipes are no data files.
  LARGE_INTEGER size{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size))
    throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
  if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
    throw TooLarge(tooLarge, displayName, static_cast<std::uint64_t>(size.QuadPart), maxBytes);
  std::string content;
  content.reserve(static_cast<std::size_t>(size.QuadPart));
  std::array<char, 16384> buffer{};
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr))
      throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
    if (n == 0) break;
    if (content.size() + n > maxBytes) throw TooLarge(tooLarge, displayName, 0, maxBytes);
    content.append(buffer.data(), n);
  }
  return content;
}

void CheckSafeReplace(const std::string& path, const std::string& displayName) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;  // missing: the save creates it
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) !=
      0)
    throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
}

void SafeReplace(const std::string& path, const std::string& bytes,
                 const std::string& displayName) {
  CheckSafeReplace(path, displayName);
  const std::string target = FinalTarget(path);
  const bool exists = GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  std::string temp;
  DWORD error = 0;
  HANDLE created = OpenNewTemp(FolderOf(target), temp, error);
  if (created == INVALID_HANDLE_VALUE) {
    if (exists && (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT))
      return RewriteInPlace(target, bytes, displayName, error);
    throw WriteError(error, displayName);
  }
  FillTemp(created, temp, bytes, displayName);
  if (!MoveFileExA(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD why = GetLastError();
    DeleteFileA(temp.c_str());
    throw WriteError(why, displayName);
  }
}

bool SafeCreate(const std::string& path, const std::string& bytes, const std::string& displayName) {
  std::string temp;
  DWORD error = 0;
  HANDLE created = OpenNewTemp(FolderOf(path), temp, error);
  if (created == INVALID_HANDLE_VALUE) throw WriteError(error, displayName);
  FillTemp(created, temp, bytes, displayName);
  // Without MOVEFILE_REPLACE_EXISTING the move fails on a name that is taken.
  if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
    const DWORD why = GetLastError();
    DeleteFileA(temp.c_str());
    if (why == ERROR_ALREADY_EXISTS || why == ERROR_FILE_EXISTS) return false;
    throw WriteError(why, displayName);
  }
  return true;
}

#endif

}  // namespace quarvel
