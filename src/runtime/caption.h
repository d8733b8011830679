#pragma once
// The clock's name as its window, its dialog and its message boxes show it, and the one button
// of its message boxes (Windows draws its own; other systems draw this).
namespace quarvel {

inline constexpr const char* kCaption = "QUARVEL";
inline constexpr const char* kMessageButton = "OK";

}  // namespace quarvel
