#pragma once
// The platform's run-time error report: a message box naming the error and the file, after
// which the process ends.
#include "runtime/runtime_error.h"

namespace quarvel {

void ShowRuntimeErrorReport(const RuntimeError& error);
[[noreturn]] void ReportRuntimeErrorAndExit(const RuntimeError& error);
// A window-system call that should not fail did: report it with the call's name and end.
[[noreturn]] void ReportPlatformFailure(const char* call);

}  // namespace quarvel
