#include "clockwindow/face_picture.h"

#include <new>
#include <optional>

#include "clockface/bmp_decoder.h"
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

}  // namespace quarvel
