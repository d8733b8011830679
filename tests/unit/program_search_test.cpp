// The clock's program search on a made-up file system: its own folder, then the search path's
// absolute folders in order, never the working directory.
#include "runtime/program_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace quarvel {
namespace {

// A file system of a few programs; a relative path is the working directory's.
FileSystemWays Ways(const std::set<std::string>& programs, std::vector<std::string>& looked) {
  return FileSystemWays{
      [](const std::string& folder) { return folder.starts_with("/"); },
      [&programs, &looked](const std::string& path) {
        looked.push_back(path);
        return programs.contains(path);
      },
      [](const std::string& folder, const std::string& name) { return folder + "/" + name; }};
}

TEST(ProgramSearchTest, OwnFolderFirstThenAbsoluteSearchFoldersNeverTheWorkingDirectory) {
  const std::set<std::string> programs{
      "/opt/clock/qvedit", "/usr/bin/qvedit", "qvedit",
      "./qvedit",          "bin/qvedit",      "/usr/local/bin/qvedit"};
  const std::vector<std::string> path = SplitSearchPath(":.:bin:/usr/local/bin:/usr/bin:", ':');
  EXPECT_EQ(path, (std::vector<std::string>{"", ".", "bin", "/usr/local/bin", "/usr/bin", ""}));
  std::vector<std::string> looked;
  EXPECT_EQ(SearchProgram("/opt/clock", path, "qvedit", Ways(programs, looked)),
            "/opt/clock/qvedit");
  looked.clear();
  EXPECT_EQ(SearchProgram("/opt/none", path, "qvedit", Ways(programs, looked)),
            "/usr/local/bin/qvedit");
  EXPECT_EQ(looked, (std::vector<std::string>{"/opt/none/qvedit", "/usr/local/bin/qvedit"}));
  // No own folder, and a search path of relative and empty entries only: nothing, and nothing
  // in the working directory was even looked at.
  looked.clear();
  EXPECT_EQ(SearchProgram("", SplitSearchPath("::.:bin", ':'), "qvedit", Ways(programs, looked)),
            "");
  EXPECT_TRUE(looked.empty());
  EXPECT_EQ(SplitSearchPath("", ';'), std::vector<std::string>{""});
  EXPECT_EQ(SplitSearchPath("C:\\a;\"C:\\b c\"", ';'),
            (std::vector<std::string>{"C:\\a", "\"C:\\b c\""}));
}

}  // namespace
}  // namespace quarvel
