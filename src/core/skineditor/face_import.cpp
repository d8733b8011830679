#include "core/skineditor/face_import.h"

#include <cwctype>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "core/skin/bmp_decoder.h"
#include "runtime/file_slot.h"
#include "runtime/runtime_error.h"
#include "runtime/safe_file.h"

namespace quarvel {

namespace fs = std::filesystem;

namespace {
constexpr int kMostNumberedNames = 999;

// A face may be as large as the decoder takes, far beyond a settings file's limit.
std::string ReadFace(const std::string& path, const std::string& displayName) {
  return ReadRegularFile(path, displayName, kMaxBmpFileBytes, ErrorNumber::kInvalidPicture);
}

// Windows compares names without case; so do we where the editor runs on it.
bool SameName(const fs::path& a, const fs::path& b) {
#ifdef _WIN32
  const std::wstring x = a.wstring(), y = b.wstring();
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i)
    if (towlower(x[i]) != towlower(y[i])) return false;
  return true;
#else
  return a == b;
#endif
}

// The picked file's place below the skin folder, part by part; nothing when it lies elsewhere.
std::optional<std::vector<fs::path>> PlaceInSkin(const fs::path& skin, const fs::path& file) {
  std::error_code ec;
  if (fs::equivalent(file.parent_path(), skin, ec)) return std::vector<fs::path>{file.filename()};
  auto part = file.begin();
  for (const fs::path& folderPart : skin) {
    if (folderPart.empty()) continue;  // the empty last part of a path ending in a separator
    if (part == file.end() || !SameName(*part, folderPart)) return std::nullopt;
    ++part;
  }
  std::vector<fs::path> below(part, file.end());
  if (below.empty()) return std::nullopt;
  return below;
}

fs::path Absolute(const std::string& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(fs::path(path), ec);
  return (ec ? fs::path(path) : absolute).lexically_normal();
}

// The name the copy takes: the picked file's own, or the first numbered one that is free or
// already holds these bytes.
std::string NameInSkin(const fs::path& skin, const fs::path& picked, const std::string& bytes,
                       bool& same) {
  const std::string stem = picked.stem().string(), extension = picked.extension().string();
  for (int n = 1; n <= kMostNumberedNames; ++n) {
    const std::string name =
        n == 1 ? picked.filename().string() : stem + "-" + std::to_string(n) + extension;
    std::error_code ec;
    if (!fs::exists(skin / name, ec) && !ec) {
      same = false;
      return name;
    }
    try {
      if (!fs::is_directory(skin / name, ec) && ReadFace((skin / name).string(), name) == bytes) {
        same = true;
        return name;
      }
    } catch (const RuntimeError&) {
      // unreadable: taken all the same; the next name is tried
    }
  }
  throw RuntimeError(
      ErrorNumber::kPathFileAccessError, (skin / picked.filename()).string(),
      "no free name up to " + stem + "-" + std::to_string(kMostNumberedNames) + extension);
}

// Its name relative to the skin folder, with Windows' backslashes; nothing when it lies elsewhere.
std::optional<std::string> NameBelowSkin(const fs::path& skin, const fs::path& file) {
  const std::optional<std::vector<fs::path>> below = PlaceInSkin(skin, file);
  if (!below) return std::nullopt;
  std::string name;
  for (const fs::path& part : *below) {
    if (!name.empty()) name += '\\';
    name += part.string();
  }
  return name;
}
}  // namespace

std::string PickedFaceName(const std::string& skinFolder, const std::string& picked) {
  const fs::path file = Absolute(picked);
  return NameBelowSkin(Absolute(skinFolder), file).value_or(file.string());
}

FaceImport BringFaceIntoSkin(const std::string& skinFolder, const std::string& picked) {
  const fs::path skin = Absolute(skinFolder);
  const fs::path file = Absolute(picked);
  if (const std::optional<std::string> name = NameBelowSkin(skin, file))
    return {FaceImport::Outcome::kInSkin, *name, *name + " is in the skin folder."};
  try {
    const std::string bytes = ReadFace(file.string(), file.string());
    bool same = false;
    const std::string name = NameInSkin(skin, file, bytes, same);
    if (same)
      return {FaceImport::Outcome::kReused, name,
              "The skin folder already holds this bitmap as " + name + "; the skin uses it."};
    FileSlot(skin.string()).ReplaceWithText(name, bytes);
    const bool renamed = name != file.filename().string();
    return {FaceImport::Outcome::kCopied, name,
            "Copied " + file.filename().string() + " into the skin folder" +
                (renamed ? " as " + name + " (another " + file.filename().string() +
                               " is there already)."
                         : ".")};
  } catch (const RuntimeError& error) {
    return {FaceImport::Outcome::kFailed,
            {},
            std::string(error.what()) +
                "\n\nThe bitmap could not be copied into the skin folder; the face stays as it "
                "was."};
  }
}

}  // namespace quarvel
