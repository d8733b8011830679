#pragma once
// One hand file both ways, for the editor: read through the clock's own loader, written in the
// one form the clock's files use (the colour, then a line "angle,percent" per point, each line
// ending in CR LF), so a file already in that form is written back byte for byte.
#include <string>

#include "core/skineditor/skin_document.h"
#include "runtime/file_slot.h"

namespace quarvel {

std::string HandFileText(const HandDraft& hand);

// Reads a hand file with the clock's loader. A file the clock refuses still opens: the hand
// keeps what was read before the fault (nothing, for a missing file), and `problem` gets the
// clock's report of it ("Run-time error 62: Input past end of file (tan.sin, line 7)").
// `missing`, when given, tells a file that is not there from one that could not be read whole.
HandDraft ReadHandFile(FileSlot& slot, const char* fileName, std::string& problem,
                       bool* missing = nullptr);

}  // namespace quarvel
