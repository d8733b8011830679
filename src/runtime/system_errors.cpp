#include "runtime/system_errors.h"

#include <cerrno>

namespace quarvel {

FailureKind PosixFailure(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return FailureKind::kNotFound;
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
      return FailureKind::kBadName;
    case EACCES:
    case EPERM:
      return FailureKind::kAccessDenied;
    case ENOEXEC:
      return FailureKind::kNotAProgram;
    default:
      return FailureKind::kOther;
  }
}

RuntimeError DirectorySearchError(FailureKind kind, const std::string& path) {
  if (kind == FailureKind::kBadName) return RuntimeError(ErrorNumber::kBadFileNameOrNumber, path);
  return RuntimeError(ErrorNumber::kPathFileAccessError, path);
}

RuntimeError ProgramStartError(FailureKind kind, const std::string& program,
                               const std::string& systemCode) {
  // A program that is there but can't run is not called missing.
  const ErrorNumber number = kind == FailureKind::kNotFound       ? ErrorNumber::kFileNotFound
                             : kind == FailureKind::kAccessDenied ? ErrorNumber::kPermissionDenied
                             : kind == FailureKind::kNotAProgram
                                 ? ErrorNumber::kInvalidFileFormat
                                 : ErrorNumber::kPathFileAccessError;
  return RuntimeError(number, program, systemCode);
}

}  // namespace quarvel
