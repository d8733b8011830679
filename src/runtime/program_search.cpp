#include "runtime/program_search.h"

namespace quarvel {

std::vector<std::string> SplitSearchPath(std::string_view value, char separator) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(separator, start);
    if (end == std::string_view::npos) end = value.size();
    entries.emplace_back(value.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

std::string SearchProgram(const std::string& programFolder,
                          const std::vector<std::string>& searchPath, const std::string& name,
                          const FileSystemWays& ways) {
  if (!programFolder.empty()) {
    const std::string beside = ways.join(programFolder, name);
    if (ways.isProgram(beside)) return beside;
  }
  for (const std::string& folder : searchPath) {
    if (folder.empty() || !ways.isAbsolute(folder)) continue;
    const std::string path = ways.join(folder, name);
    if (ways.isProgram(path)) return path;
  }
  return {};
}

}  // namespace quarvel
