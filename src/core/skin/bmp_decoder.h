#pragma once
// The clock's own reader for the face bitmap, shared by every program, so the clock, the preview
// and the editor all see the same pixels and all refuse the same broken files.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform_types.h"

namespace quarvel {

// A face wider or higher than this is refused like a broken file.
inline constexpr int kMaxPictureSide = 16384;
// So is a file larger than this: the pixels of the largest picture (16384 x 16384 at 32 bits
// is 1 GiB) and a MiB for the headers, the palette and what some programs append. Readers refuse
// a larger file before reading it.
inline constexpr std::uint64_t kMaxBmpFileBytes =
    (std::uint64_t{1} << 30) + (std::uint64_t{1} << 20);

// The picture a Windows bitmap file holds, or nothing when the bytes are not a bitmap the clock
// draws. Reads only inside fileBytes, whatever they hold; more than kMaxBmpFileBytes is refused.
std::optional<PixelImage> DecodeBmp(std::string_view fileBytes);

}  // namespace quarvel
