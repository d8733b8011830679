#pragma once
// The skin in its working folder: opening it (the three hand files, settings.ini, the face
// bitmap), and saving it safely.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/skin/options_file.h"
#include "core/skineditor/skin_document.h"
#include "platform/platform_types.h"
#include "runtime/file_slot.h"

namespace quarvel {

// The skin as its folder holds it, as far as the editor knows: the document as last opened or
// saved, and the hand files that are there but could not be read whole (too large, unreadable,
// cut short, a value the clock refuses), whose hands hold only what was read.
struct SkinOnDisk {
  SkinDocument document;
  std::array<bool, 3> notReadWhole{};  // by HandId
  OptionsFile options;                 // options.ini as found: its other lines are kept
};

struct OpenedSkin {
  SkinDocument document;
  // One report per hand file the clock would refuse, in the clock's words; opening reads only.
  std::vector<std::string> problems;
  std::array<bool, 3> notReadWhole{};  // by HandId, as in SkinOnDisk
  OptionsFile options;                 // as in SkinOnDisk

  SkinOnDisk onDisk() const { return {document, notReadWhole, options}; }
};
OpenedSkin OpenSkin(FileSlot& slot);

// The face bitmap as the clock loads it; an empty picture and the reason when it can't.
PixelImage OpenFacePicture(FileSlot& slot, const std::string& name, std::string& problem);

// The largest hand file a save keeps beside the new one (a hand file is read up to 1 MiB).
inline constexpr std::uint64_t kMaxKeptFileBytes = std::uint64_t{64} << 20;

struct SaveOutcome {
  bool saved = false;
  // Saved: what else happened (a face copied in, a hand file left or kept beside), or empty.
  // Not saved: why not, and which files were written before the failure.
  std::string message;
};

// Checks everything first (the skin against what the clock refuses, every file against what
// can't be replaced), then writes the hand files in the clock's reading order, options.ini when
// the options changed, and settings.ini last, each through its own temporary file. The first
// failing write stops the save: the files before it are whole new files, it and the ones after it
// whole old files.
//
// Against `onDisk`, which it brings up to date: a face picked outside the skin folder since
// (named by its full path) is copied in first and named plainly; a hand file not read whole is
// left as it is unless its hand was edited, and then the original is kept beside the new one
// under a free name ("tan.sin.bak", "tan.sin.2.bak", ...), never over another file.
SaveOutcome SaveSkin(FileSlot& slot, const SkinDocument& document, int32_t faceWidth,
                     SkinOnDisk& onDisk);
// Every file written, as the document holds it (a new folder: nothing there to keep).
SaveOutcome SaveSkin(FileSlot& slot, const SkinDocument& document, int32_t faceWidth);

}  // namespace quarvel
