#pragma once
// The face bitmap as the clock loads it: a missing file is "file not found", a file that is not
// a bitmap the clock draws (or one wider or higher than 16384 pixels, or a file larger than the
// decoder takes, refused unread) is "invalid picture"; a FIFO, a device or a folder is
// "path/file access error", refused without waiting on it.
#include <string>

#include "platform/platform_types.h"
#include "runtime/file_slot.h"

namespace quarvel {

PixelImage LoadFacePicture(const std::string& path, const std::string& displayName);

// The file that line 3 of settings.ini names. A relative name is read relative to the skin
// folder (the slot's folder: the clock's working folder), with either separator on every
// system: when no file has the name as written, a relative name's backslashes are read as
// folder separators, so a skin written on Windows ("faces\blue.bmp") works on Linux too. A name
// that starts at a root ("/", "\", "C:") is never rewritten, and a Linux file whose name really
// holds a backslash is still found first. On Windows both characters separate folders anyway.
std::string FacePicturePath(const FileSlot& slot, const std::string& name);

}  // namespace quarvel
