#pragma once
// Back to the clock: quarvel.exe from the editor's own folder, in the editor's working folder,
// where it reads the skin just saved.
#include <string>

namespace quarvel {

// The folder qvedit.exe lies in: the clock's, and the default skin's that came with both.
std::string ProgramFolder();

// An empty text when the clock started, or why it did not.
std::string StartClockBesideEditor();

}  // namespace quarvel
