#pragma once
// The run-time errors the clock reports for a system's failures. A backend names what its
// system said with a FailureKind (and keeps the system's own code for the report); the clock
// alone decides which numbered error that is.
#include <stdexcept>
#include <string>
#include <string_view>

#include "runtime/runtime_error.h"

namespace quarvel {

enum class FailureKind { kNotFound, kBadName, kAccessDenied, kNotAProgram, kNoMemory, kOther };

// An errno value named (the POSIX systems' words).
FailureKind PosixFailure(int error);

// A directory search that can't take the name: bad file name or number (52) for a name the
// system refuses (too long, a loop of links), else path/file access error (75).
RuntimeError DirectorySearchError(FailureKind kind, const std::string& path);

// A program that could not be started: file not found (53) for one no folder has (kNotFound,
// no `systemCode`) or the system could not find, permission denied (70), invalid file format
// (321), else path/file access error (75); `systemCode` says the system's own error
// (ErrorCodeText, WindowsErrorCodeText) in the report. A program that is there is never
// called missing.
RuntimeError ProgramStartError(FailureKind kind, const std::string& program,
                               const std::string& systemCode = {});

// A file the program was making could not be: out of memory (7) for kNoMemory, else path/file
// access error (75).
RuntimeError FileMakingError(FailureKind kind, const std::string& file);

// A system's own failure code as the reports say it: "error 2" (an errno, a Windows code in
// the first-run dialog), "Windows error 193" (a program Windows could not start).
std::string ErrorCodeText(long long code);
std::string WindowsErrorCodeText(unsigned long code);
// How a started helper (the readme's viewer) ended badly: "exit status 3", "signal 9".
std::string ExitStatusText(int status);
std::string SignalText(int signal);

// A call of the window system that can't fail did (the clock's window or a timer could not be
// made): no clock can run past it. Its text names the system, the call and the system's code:
// "Win32: SetTimer failed (error 8).". The core reports it and ends the process with 1.
class SystemCallFailure : public std::runtime_error {
 public:
  SystemCallFailure(std::string_view system, std::string_view call, unsigned long code);
};

}  // namespace quarvel
