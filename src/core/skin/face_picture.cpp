#include "core/skin/face_picture.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "core/skin/bmp_decoder.h"
#include "runtime/runtime_error.h"
#include "runtime/safe_file.h"

namespace quarvel {

PixelImage LoadFacePicture(const std::string& path, const std::string& displayName) {
  std::optional<PixelImage> picture;
  try {
    // A file larger than the decoder takes is refused as it would refuse it, unread.
    picture = DecodeBmp(
        ReadRegularFile(path, displayName, kMaxBmpFileBytes, ErrorNumber::kInvalidPicture));
  } catch (const std::bad_alloc&) {
    throw RuntimeError(ErrorNumber::kOutOfMemory, displayName);
  }
  if (!picture) throw RuntimeError(ErrorNumber::kInvalidPicture, displayName);
  return std::move(*picture);
}

namespace {
bool StartsAtARoot(const std::string& name) {
  return name.starts_with('/') || name.starts_with('\\') || (name.size() >= 2 && name[1] == ':');
}
}  // namespace

std::string FacePicturePath(const FileSlot& slot, const std::string& name) {
  const std::string asWritten = slot.Resolve(name);
  if (name.find('\\') == std::string::npos || StartsAtARoot(name)) return asWritten;
  std::error_code ec;
  if (std::filesystem::exists(asWritten, ec)) return asWritten;
  std::string slashes = name;
  std::replace(slashes.begin(), slashes.end(), '\\', '/');
  return slot.Resolve(slashes);
}

}  // namespace quarvel
