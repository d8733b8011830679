#pragma once
// The screen's dots per inch as the desktop writes them (X's Xft.dpi resource, which GNOME, KDE
// and xrdb set, and users scale their screens by), as the twips per pixel the clock measures in.
#include <optional>
#include <string_view>

#include "platform/platform_system.h"

namespace quarvel {

inline constexpr float kDefaultDpi = 96.0f;  // what X programs assume without a setting
inline constexpr float kMinDpi = 24.0f;
inline constexpr float kMaxDpi = 960.0f;

// A number, blanks after it allowed, within kMinDpi..kMaxDpi; anything else (none at all, a
// word, a number out of reason: the resources are a root property any client may write) is
// kDefaultDpi.
TwipsPerPixel TwipsAtDesktopDpi(std::optional<std::string_view> setting);

}  // namespace quarvel
