#pragma once
// The face bitmap: a Windows bitmap file decoded by the clock itself, so every program draws
// exactly the same pixels from it and a broken file is refused instead of read past its end.
#include <optional>
#include <string_view>

#include "platform/platform_types.h"

namespace quarvel {

// A face wider or higher than this is refused like a broken file.
inline constexpr int kMaxPictureSide = 16384;

// The picture a Windows bitmap file holds, or nothing when the bytes are not a bitmap the clock
// draws.
std::optional<PixelImage> DecodeBmp(std::string_view fileBytes);

}  // namespace quarvel
