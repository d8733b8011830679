#pragma once
// The clock started when the user logs in: a shortcut in the user's Startup folder to the clock
// beside the editor, starting in the skin folder, named after that folder and marked as ours in
// its description. Turning it off removes the shortcuts made for that folder, and nothing else.
#include <string>

namespace quarvel {

// `skinFolder` and `clockProgram` are full paths. Empty when done, else why not.
std::string SetStartupShortcut(bool on, const std::string& skinFolder,
                               const std::string& clockProgram);

}  // namespace quarvel
