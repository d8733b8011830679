#pragma once
// The clock's name as its window, its dialog and its message boxes show it.
namespace quarvel {

inline constexpr const char* kCaption = "QUARVEL";

}  // namespace quarvel
