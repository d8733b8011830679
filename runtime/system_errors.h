#pragma once
// The run-time errors the clock reports for failures a POSIX system gives as errno values,
// so that a backend only says what failed and the clock decides how it is reported.
#include <string>

#include "runtime/runtime_error.h"

namespace quarvel {

// A directory search that can't take the name: bad file name or number (52) for a name the
// system refuses (too long, a loop of links), else path/file access error (75).
RuntimeError DirectorySearchError(int error, const std::string& path);

// A program that was found but could not be started: file not found (53), with the system's
// error number, as on Windows.
RuntimeError ProgramStartError(int error, const std::string& program);

}  // namespace quarvel
