#include "runtime/system_errors.h"

#include <cerrno>

namespace quarvel {

RuntimeError DirectorySearchError(int error, const std::string& path) {
  if (error == ENAMETOOLONG || error == ELOOP || error == EINVAL)
    return RuntimeError(ErrorNumber::kBadFileNameOrNumber, path);
  return RuntimeError(ErrorNumber::kPathFileAccessError, path);
}

RuntimeError ProgramStartError(int error, const std::string& program) {
  // NOTE: built by appending; "error " + std::to_string() trips GCC 12's false restrict
  // warning in release builds, which fails them.
  std::string where = "error ";
  where += std::to_string(error);
  // A program that is there but can't run is not called missing.
  const ErrorNumber number = error == ENOENT || error == ENOTDIR ? ErrorNumber::kFileNotFound
                             : error == EACCES || error == EPERM ? ErrorNumber::kPermissionDenied
                             : error == ENOEXEC                  ? ErrorNumber::kInvalidFileFormat
                                                : ErrorNumber::kPathFileAccessError;
  return RuntimeError(number, program, where);
}

}  // namespace quarvel
