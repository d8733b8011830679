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

RuntimeError FileMakingError(FailureKind kind, const std::string& file) {
  if (kind == FailureKind::kNoMemory) return RuntimeError(ErrorNumber::kOutOfMemory, file);
  return RuntimeError(ErrorNumber::kPathFileAccessError, file);
}

// NOTE: appended, not "text " + std::to_string(): that trips GCC 12's false restrict warning in
// release builds, which fails them.
namespace {
std::string Numbered(const char* what, long long number) {
  std::string text = what;
  text += std::to_string(number);
  return text;
}
}  // namespace

std::string ErrorCodeText(long long code) {
  return Numbered("error ", code);
}

std::string WindowsErrorCodeText(unsigned long code) {
  return Numbered("Windows error ", static_cast<long long>(code));
}

std::string ExitStatusText(int status) {
  return Numbered("exit status ", status);
}

std::string SignalText(int signal) {
  return Numbered("signal ", signal);
}

namespace {
std::string SystemCallFailureText(std::string_view system, std::string_view call,
                                  unsigned long code) {
  std::string text(system);
  text.append(": ").append(call).append(" failed (");
  text += ErrorCodeText(static_cast<long long>(code));
  return text + ").";
}
}  // namespace

SystemCallFailure::SystemCallFailure(std::string_view system, std::string_view call,
                                     unsigned long code)
    : std::runtime_error(SystemCallFailureText(system, call, code)) {}

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
