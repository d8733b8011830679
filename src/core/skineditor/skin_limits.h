#pragma once
// What the clock would refuse in a skin, found before anything is written: more points than it
// reads, a value its 16-bit arithmetic overflows on (when the file loads, or when the hand is
// drawn at any of the 60 marks on this face), a pen it refuses, a bitmap name it would not read
// back as it stands.
#include <cstdint>
#include <optional>
#include <string>

#include "core/skineditor/skin_document.h"

namespace quarvel {

// The first refusal, in the words of the clock's own report where it has one ("Run-time error
// 6: Overflow (tan.sin, line 4)"), or nothing when the clock takes the skin as it is. The face
// is a square `faceWidth` across, as the clock makes it.
std::optional<std::string> FindRefusal(const SkinDocument& document, int32_t faceWidth);

}  // namespace quarvel
