#pragma once
// Where the clock works on Linux. Started in a folder that holds a skin (its hand files), it
// works there, as on Windows. Started anywhere else (from a menu, in the home folder) it works
// in its config folder, $XDG_CONFIG_HOME/quarvel (~/.config/quarvel), which its first start
// fills with the default skin installed beside the program (<prefix>/share/quarvel).
#include <optional>
#include <string>
#include <string_view>

namespace quarvel {

struct WorkFolder {
  std::string path;
  bool configFolder = false;  // the clock's files are kept apart from its program
  // Why the config folder could not be used or filled (empty when it could): the start-up
  // report of the missing files says it.
  std::string problem;
};

// Chooses the folder, fills a new config folder, and makes it the working directory. Problems
// are said on stderr and kept in `problem`; the clock then starts where it is and reports the
// missing files itself.
WorkFolder EnterWorkFolder(const std::string& programFolder);

// What the fill does with one default file of the config folder, given what the folder holds
// under its name (nothing: missing; the bytes of a regular file no longer than the default's)
// and the default's bytes.
enum class DefaultFileAction {
  kCreate,  // missing while the folder is being filled: made whole, never over anything
  kRepair,  // left cut by a fill that ran out of room (empty, or a strict beginning of the
            // default): replaced by the whole default
  kKeep,    // anything else is the user's own (as is a file taken away after a fill)
};
DefaultFileAction ChooseDefaultFileAction(const std::optional<std::string>& present,
                                          std::string_view defaultBytes, bool filling);

// Copies the default skin from `share` into `folder`, each file through a temporary file that
// takes its name in one step: the readme and the face first, the hand files last, stopping at
// the first failure, so a folder that still misses a hand file is filled again on the next
// start. `filling`: the folder misses a hand file. Returns why it failed, or empty.
std::string FillWithDefaultSkin(const std::string& folder, const std::string& share, bool filling);

}  // namespace quarvel
