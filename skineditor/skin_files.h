#pragma once
// The skin in its working folder: opening it (the three hand files, settings.ini, the face
// bitmap), and saving it safely.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform_types.h"
#include "runtime/file_slot.h"
#include "skineditor/skin_document.h"

namespace quarvel {

struct OpenedSkin {
  SkinDocument document;
  // One report per hand file the clock would refuse, in the clock's words; opening reads only.
  std::vector<std::string> problems;
};
OpenedSkin OpenSkin(FileSlot& slot);

// The face bitmap as the clock loads it; an empty picture and the reason when it can't.
PixelImage OpenFacePicture(FileSlot& slot, const std::string& name, std::string& problem);

struct SaveOutcome {
  bool saved = false;
  std::string message;  // why not, and which files were written before the failure
};

// Checks everything first (the skin against what the clock refuses, every file against what
// can't be replaced), then writes the hand files in the clock's reading order and settings.ini
// last, each through its own temporary file. The first failing write stops the save: the files
// before it are whole new files, it and the ones after it whole old files.
SaveOutcome SaveSkin(FileSlot& slot, const SkinDocument& document, int32_t faceWidth);

}  // namespace quarvel
