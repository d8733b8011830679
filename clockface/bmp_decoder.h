#pragma once
// The clock's own reader for the face bitmap, shared by every program, so the clock, the preview
// and the editor all see the same pixels and all refuse the same broken files.
#include <optional>
#include <string_view>

#include "platform/platform_types.h"

namespace quarvel {

// A face wider or higher than this is refused like a broken file.
inline constexpr int kMaxPictureSide = 16384;

// The picture a Windows bitmap file holds, or nothing when the bytes are not a bitmap the clock
// draws. Reads only inside fileBytes, whatever they hold.
std::optional<PixelImage> DecodeBmp(std::string_view fileBytes);

}  // namespace quarvel
