#pragma once
// The run-time errors the clock reports for a system's failures. A backend names what its
// system said with a FailureKind (and keeps the system's own code for the report); the clock
// alone decides which numbered error that is.
#include <string>

#include "runtime/runtime_error.h"

namespace quarvel {

enum class FailureKind { kNotFound, kBadName, kAccessDenied, kNotAProgram, kOther };

// An errno value named (the POSIX systems' words).
FailureKind PosixFailure(int error);

// A directory search that can't take the name: bad file name or number (52) for a name the
// system refuses (too long, a loop of links), else path/file access error (75).
RuntimeError DirectorySearchError(FailureKind kind, const std::string& path);

// A program that was found but could not be started: file not found (53), permission denied
// (70), invalid file format (321), else path/file access error (75); `systemCode` says the
// system's own error ("error 2", "Windows error 193") in the report.
RuntimeError ProgramStartError(FailureKind kind, const std::string& program,
                               const std::string& systemCode);

}  // namespace quarvel
