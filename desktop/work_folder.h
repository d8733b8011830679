#pragma once
// Where the clock works on Linux. Started in a folder that holds a skin (its hand files), it
// works there, as on Windows. Started anywhere else (from a menu, in the home folder) it works
// in its config folder, $XDG_CONFIG_HOME/quarvel (~/.config/quarvel), which its first start
// fills with the default skin installed beside the program (<prefix>/share/quarvel).
#include <string>

namespace quarvel {

struct X11WorkFolder {
  std::string path;
  bool configFolder = false;  // the clock's files are kept apart from its program
};

// Chooses the folder, fills a new config folder, and makes it the working directory. Problems
// are said on stderr; the clock then starts where it is and reports the missing files itself.
X11WorkFolder EnterWorkFolder(const std::string& programFolder);

}  // namespace quarvel
