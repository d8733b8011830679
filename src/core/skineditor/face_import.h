#pragma once
// A skin is a folder that can be copied whole: a face bitmap picked outside the skin's folder
// is copied into it, and settings.ini names it by its plain name, never by a path that only
// exists on this machine.
#include <string>

namespace quarvel {

struct FaceImport {
  enum class Outcome {
    kInSkin,  // the file is in the skin folder (or below it) already: named as it lies
    kCopied,  // copied into the skin folder under `name`
    kReused,  // a file with the same bytes was in the skin folder already: that one is named
    kFailed,  // nothing changed; `message` says why
  };
  Outcome outcome = Outcome::kFailed;
  std::string name;     // for line 3 of settings.ini
  std::string message;  // what the editor tells the user: what happened to which file
};

// Brings the picked bitmap into the skin folder. A file of the same name with other bytes there
// is never replaced: the copy takes the first free name of the form "face-2.bmp", "face-3.bmp".
// A file below the skin folder keeps its place and is named relative to it, with Windows'
// backslashes (the clock reads either separator on every system). The copy is written through
// a temporary file, so a failure leaves no half bitmap behind.
FaceImport BringFaceIntoSkin(const std::string& skinFolder, const std::string& picked);

// The name a face picked with Browse... takes until the skin is saved: its place in the skin
// folder when it lies there, else its full path, which the save brings in with
// BringFaceIntoSkin (skin_files.h), so nothing is copied before the author saves.
std::string PickedFaceName(const std::string& skinFolder, const std::string& picked);
inline constexpr const char* kFaceCopiedAtSave =
    "The face is copied into the skin folder when you save.";

}  // namespace quarvel
