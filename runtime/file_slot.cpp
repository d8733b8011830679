#include "runtime/file_slot.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "runtime/runtime_error.h"

namespace quarvel {

FileSlot::FileSlot(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

std::string FileSlot::Resolve(const std::string& name) const {
  if (baseFolder_.empty() || std::filesystem::path(name).is_absolute()) return name;
  return baseFolder_ + "/" + name;
}

std::string ReadWholeFile(const std::string& path, const std::string& displayName) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw RuntimeError(ErrorNumber::kPathFileAccessError, displayName);
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

ListReader& FileSlot::OpenForInput(const std::string& name) {
  if (IsOpen()) throw RuntimeError(ErrorNumber::kFileAlreadyOpen, name);
  reader_ = std::make_unique<ListReader>(ReadWholeFile(Resolve(name), name), name);
  return *reader_;
}

ListReader& FileSlot::Input() {
  if (!IsOpen()) Raise(ErrorNumber::kBadFileNameOrNumber);
  return *reader_;
}

void FileSlot::Close() { reader_.reset(); }

}  // namespace quarvel
