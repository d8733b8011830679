#pragma once
// The skin's two lines of settings.ini: line 3, the face bitmap's name, and line 4, the pen
// width. Lines 1 and 2 (the clock's place and layer) and any lines after 4 are the clock's: a
// save keeps them as the bytes it finds in the file at that moment.
#include <string>

#include "runtime/file_slot.h"
#include "skineditor/skin_document.h"

namespace quarvel {

// The bitmap name and pen width as the clock would read them, defaults and all.
void ReadSkinSettings(FileSlot& slot, SkinDocument& document);

// settings.ini with lines 3 and 4 rewritten as the clock writes them, from the bytes `found` in
// the file now (empty when there is none). Missing lines 1 and 2 get what the clock would read
// in their place, and a last line without a line break gets CR LF.
std::string SettingsWithSkin(const std::string& found, const SkinDocument& document);

}  // namespace quarvel
