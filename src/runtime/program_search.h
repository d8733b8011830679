#pragma once
// Where the clock looks for a program it starts (the skin editor, a viewer): in the clock's own
// folder first, then in the folders of the search path in their order, only the absolute ones.
// An empty or relative entry would be the working directory, where the clock's data lives and
// a planted program must not run. A backend only names its file system's ways.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel {

struct FileSystemWays {
  std::function<bool(const std::string& folder)> isAbsolute;
  std::function<bool(const std::string& path)> isProgram;  // a file that can be run
  std::function<std::string(const std::string& folder, const std::string& name)> join;
};

// The entries of a search path variable (PATH) in order, empty ones kept.
std::vector<std::string> SplitSearchPath(std::string_view value, char separator);

// The program's path, or empty when no folder has it. An empty `programFolder` is skipped.
std::string SearchProgram(const std::string& programFolder,
                          const std::vector<std::string>& searchPath, const std::string& name,
                          const FileSystemWays& ways);

}  // namespace quarvel
