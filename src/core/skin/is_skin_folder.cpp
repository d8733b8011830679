#include "core/skin/is_skin_folder.h"

#include <filesystem>
#include <system_error>

#include "core/skin/hand_shapes.h"

namespace quarvel {

bool IsSkinFolder(const std::string& folder) {
  std::error_code ec;
  for (const char* name : {kMinuteHandFile, kHourHandFile, kSecondHandFile})
    if (std::filesystem::exists(std::filesystem::path(folder) / name, ec)) return true;
  return false;
}

}  // namespace quarvel
