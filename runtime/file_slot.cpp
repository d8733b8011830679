#include "runtime/file_slot.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "runtime/runtime_error.h"

namespace quarvel {

FileSlot::FileSlot(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

std::string ReadWholeFile(const std::string& path, const std::string& displayName) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    if (errno == ENOENT) throw RuntimeError(ErrorNumber::kFileNotFound, displayName);
    if (errno == EACCES) throw RuntimeError(ErrorNumber::kPermissionDenied, displayName);
    throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
  }
  std::string content;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, n);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
  return content;
}

std::string FileSlot::Resolve(const std::string& name) const {
  if (baseFolder_.empty() || std::filesystem::path(name).is_absolute()) return name;
  return baseFolder_ + "/" + name;
}

ListReader& FileSlot::OpenForInput(const std::string& name) {
  if (IsOpen()) throw RuntimeError(ErrorNumber::kFileAlreadyOpen, name);
  reader_ = std::make_unique<ListReader>(ReadWholeFile(Resolve(name), name), name);
  return *reader_;
}

ListReader& FileSlot::Input() {
  if (!IsOpen()) Raise(ErrorNumber::kBadFileNameOrNumber);
  return *reader_;
}

void FileSlot::Close() {
  reader_.reset();
}

namespace {
RuntimeError WriteError(int error, const std::string& name) {
  if (error == ENOSPC) return RuntimeError(ErrorNumber::kDiskFull, name);
  if (error == EACCES || error == EPERM || error == EROFS)
    return RuntimeError(ErrorNumber::kPermissionDenied, name);
  return RuntimeError(ErrorNumber::kPathFileAccessError, name);
}

bool IsReadOnly(const std::filesystem::path& path) {
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return false;
  return (status.permissions() & std::filesystem::perms::owner_write) ==
         std::filesystem::perms::none;
}
}  // namespace

void FileSlot::CheckReplaceable(const std::string& name) const {
  const std::filesystem::path target(Resolve(name));
  std::error_code ec;
  // A read-only file is refused as opening it for output would be, even where the file system
  // would let a rename replace it.
  if (std::filesystem::is_directory(target, ec) || IsReadOnly(target))
    throw RuntimeError(ErrorNumber::kPathFileAccessError, name);
}

void FileSlot::ReplaceWithText(const std::string& name, const std::string& text) {
  if (IsOpen()) throw RuntimeError(ErrorNumber::kFileAlreadyOpen, name);
  CheckReplaceable(name);
  const std::filesystem::path target(Resolve(name));
  std::error_code ec;

  std::filesystem::path temp = target;
  temp += ".new";
  errno = 0;
  std::FILE* file = std::fopen(temp.string().c_str(), "wb");
  if (file == nullptr) throw WriteError(errno, name);
  errno = 0;
  const bool written =
      std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  const int writeErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::filesystem::remove(temp, ec);
    throw WriteError(writeErrno, name);
  }
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    throw RuntimeError(ErrorNumber::kPathFileAccessError, name);
  }
}

}  // namespace quarvel
