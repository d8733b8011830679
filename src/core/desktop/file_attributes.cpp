#include "core/desktop/file_attributes.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "platform/platform_system.h"
#include "runtime/system_errors.h"

namespace quarvel {

std::optional<uint32_t> LinuxFileAttributes(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    throw DirectorySearchError(PosixFailure(errno), path);
  }
  uint32_t attributes = 0;
  if (S_ISDIR(status.st_mode)) attributes |= file_attribute::kDirectory;
  if (std::filesystem::path(path).filename().string().starts_with("."))
    attributes |= file_attribute::kHidden;  // how Linux hides a file
  if ((status.st_mode & S_IWUSR) == 0) attributes |= file_attribute::kReadOnly;
  return attributes;
}

}  // namespace quarvel
