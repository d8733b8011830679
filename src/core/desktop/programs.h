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

// The end of the missing-editor message on Linux, on a system without qvedit: it comes with the
// clock, and without it the files to edit by hand in the skin folder, and the tools that help.
std::string LinuxMissingEditorAdvice(const std::string& skinFolder);

// The readme the dialog's Readme button opens: readme.txt in the folder the clock works in (a
// skin folder, or its config folder) as its bare name; where that folder has none, the one
// installed with the program (<prefix>/share/doc/quarvel/readme.txt beside <prefix>/bin) when
// it is there; else the bare name, whose failure to open is then reported.
std::string ReadmeToOpen(const std::string& workFolder, const std::string& programFolder);

// Starts the program (arguments after its path) in a session of its own, so it outlives the
// clock and its terminal; `settings` ("NAME=value") are set in its environment over the ones it
// inherits, and a bare "NAME" takes the inherited one away. The process id, or -errno when it could
// not be started.
pid_t SpawnProgram(const std::string& path, const std::vector<std::string>& arguments,
                   const std::vector<std::string>& settings = {});

// Opens a document in the desktop's own viewer (xdg-open, found by the same search). The process
// id of xdg-open, whose exit status is its verdict, or -errno when it could not be started.
pid_t OpenDocument(const std::string& path);

}  // namespace quarvel
