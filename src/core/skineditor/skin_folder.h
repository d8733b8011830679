#pragma once
// The skin folders an author works with: a new skin made from the default skin, a copy of the
// skin being edited saved into another folder, and the line that names the folder being
// edited. The editor's window keeps its title "qvs" (the clock finds the editor by it), so the
// folder and the unsaved mark show in a line of their own.
#include <cstdint>
#include <string>

#include "core/skineditor/skin_document.h"

namespace quarvel {

struct FolderOutcome {
  bool done = false;
  std::string message;   // why not; or, when done, what happened to the face
  SkinDocument written;  // the skin as written into the folder (its face named there)
};

// Writes `document` into `toFolder` as a whole skin: the hand files and settings.ini, and the
// face bitmap (read from `fromFolder`, where the document's name leads) copied beside them.
// Refused, with nothing written, when `toFolder` is `fromFolder` or already holds a hand file:
// a copy never replaces another skin.
FolderOutcome SaveSkinCopy(const SkinDocument& document, const std::string& fromFolder,
                           const std::string& toFolder, int32_t faceWidth);

// A new skin in `toFolder`: the default skin built into the program (default_skin.h), its files
// byte for byte, and settings.ini naming its face (the lines of one already there kept, as a
// save keeps them). Refused, with nothing written, when `toFolder` holds a hand file or a file
// of the face's name; a failure midway takes back the files it made.
FolderOutcome NewSkinFolder(const std::string& toFolder);

// "Skin: <folder>", with " (not saved)" while there are unsaved changes.
std::string SkinFolderLine(const std::string& folder, bool unsaved);

}  // namespace quarvel
