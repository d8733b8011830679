#pragma once
// Finding and starting other programs on Linux: the editor next to the clock or on PATH, and
// xdg-open for the readme.
#include <sys/types.h>

#include <string>
#include <vector>

namespace quarvel {

// The folder of the running program (of /proc/self/exe), without a trailing separator.
std::string RunningProgramFolder();

// The program's path in `firstFolder` (when not empty) or in a folder of PATH, by the clock's
// search (runtime/program_search.h); empty when none has it.
std::string FindProgram(const std::string& firstFolder, const std::string& name);

// The end of the missing-editor message on Linux, where there is no skin editor yet: the files
// to edit by hand in the skin folder, and the tools that help.
std::string LinuxMissingEditorAdvice(const std::string& skinFolder);

// Starts the program (arguments after its path) in a session of its own, so it outlives the
// clock and its terminal. The process id, or -errno when it could not be started.
pid_t SpawnProgram(const std::string& path, const std::vector<std::string>& arguments);

}  // namespace quarvel
