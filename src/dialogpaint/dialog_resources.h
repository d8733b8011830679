#pragma once
// The pictures Windows keeps as resources in quarvel.exe, built into the Linux program from the
// same files (core/infodialog/resources): the dialog's banner and the application icon.
#include <string_view>
#include <vector>

#include "platform/platform_types.h"

namespace quarvel {

// The files' bytes, written into the program by the build (dialog_resource_bytes.cpp).
std::string_view BannerFile();
std::string_view Banner2xFile();
std::string_view Banner15xFile();
std::string_view IconFile();

// The banner drawn for a screen of these twips a pixel (core/infodialog/banner_choice.h), through
// the clock's own bitmap decoder; empty if it can't be read.
PixelImage BannerPicture(float twipsPerPixel = 15.0f);
// Every image of the icon as _NET_WM_ICON holds them: width, height, then ARGB pixels.
std::vector<long> IconCardinals();

}  // namespace quarvel
