#pragma once
// The author's lines of settings.ini: line 3, the face bitmap's name, line 4, the pen width, and
// line 5, the clock's size when one is fixed. Lines 1 and 2 (the clock's place and layer) and
// any lines after 5 are not the editor's: a save keeps them as the bytes it finds in the file at
// that moment.
#include <string>

#include "core/skineditor/skin_document.h"
#include "runtime/file_slot.h"

namespace quarvel {

// The bitmap name, pen width and size as the clock would read them, defaults and all.
void ReadSkinSettings(FileSlot& slot, SkinDocument& document);

// The bytes of settings.ini now, empty when there is none. The clock writes its place there when
// it hands over to the editor, so a save takes lines 1 and 2 from here, not from when the skin
// was opened.
std::string CurrentSettingsText(FileSlot& slot);

// settings.ini with lines 3 to 5 rewritten as the clock writes them, from the bytes `found` in
// the file now (empty when there is none). Missing lines 1 and 2 get what the clock would read
// in their place, and a last line without a line break gets CR LF. Without a size line 5 is
// left out, or " 0 " (no size) when later lines must keep their places.
std::string SettingsWithSkin(const std::string& found, const SkinDocument& document);

}  // namespace quarvel
