#pragma once
// Back to the clock: quarvel from the editor's own folder (where make install and the run folder
// put both) or from the search path's absolute folders, never from the working folder; it
// starts in the editor's working folder, the skin folder, where it reads the skin just saved.
#include <string>

namespace quarvel {

// An empty text when the clock started, or why it did not.
std::string StartClockBesideEditor();

// After a save: the clock beside the editor (or on the search path) started at login in
// skinFolder, or that folder's entry removed; empty when done, else why not.
std::string StartClockAtLogin(const std::string& skinFolder, bool on);

}  // namespace quarvel
