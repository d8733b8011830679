#include "clockwindow/face_picture.h"

#include <new>
#include <optional>

#include "clockface/bmp_decoder.h"
#include "runtime/file_slot.h"
#include "runtime/runtime_error.h"

namespace quarvel {

PixelImage LoadFacePicture(const std::string& path, const std::string& displayName) {
  std::optional<PixelImage> picture;
  try {
    picture = DecodeBmp(ReadWholeFile(path, displayName));
  } catch (const std::bad_alloc&) {
    throw RuntimeError(ErrorNumber::kOutOfMemory, displayName);
  }
  if (!picture) throw RuntimeError(ErrorNumber::kInvalidPicture, displayName);
  return std::move(*picture);
}

}  // namespace quarvel
