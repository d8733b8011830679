#include "core/desktop/work_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/infodialog/dialog_layout.h"
#include "core/skin/hand_shapes.h"
#include "core/skin/is_skin_folder.h"
#include "core/skin/settings_file.h"
#include "runtime/safe_file.h"

namespace quarvel {

namespace fs = std::filesystem;

namespace {
// The default face is the largest default file; anything this large in share is not ours.
constexpr std::uint64_t kMaxDefaultFileBytes = std::uint64_t{64} << 20;

bool HoldsAHandFile(const fs::path& folder) {
  return IsSkinFolder(folder.string());
}

bool HoldsEveryHandFile(const fs::path& folder) {
  std::error_code ec;
  for (const char* name : {kMinuteHandFile, kHourHandFile, kSecondHandFile})
    if (!fs::exists(fs::symlink_status(folder / name, ec))) return false;
  return true;
}

// The XDG base directory rule: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
fs::path ConfigFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return fs::path(config) / "quarvel";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return {};
  return fs::path(home) / ".config" / "quarvel";
}

// What the folder holds under a default file's name, as ChooseDefaultFileAction takes it: no
// more than the default's length is read (a longer file is the user's, and so is anything that
// is not a regular file or can't be read).
struct Present {
  bool missing = false;
  std::optional<std::string> bytes;
};
Present ReadPresent(const fs::path& path, std::uint64_t defaultSize) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (!fs::exists(status)) return {true, std::nullopt};
  if (fs::is_symlink(status)) return {false, std::nullopt};  // the user's, wherever it leads
  try {
    return {false, ReadRegularFile(path.string(), path.filename().string(), defaultSize)};
  } catch (const RuntimeError&) {
    return {false, std::nullopt};
  }
}

}  // namespace

DefaultFileAction ChooseDefaultFileAction(const std::optional<std::string>& present,
                                          std::string_view defaultBytes, bool filling) {
  if (!present) return filling ? DefaultFileAction::kCreate : DefaultFileAction::kKeep;
  if (present->size() < defaultBytes.size() && defaultBytes.starts_with(*present))
    return DefaultFileAction::kRepair;
  return DefaultFileAction::kKeep;
}

std::string FillWithDefaultSkin(const std::string& folder, const std::string& share, bool filling) {
  const std::string readme(infodialog::kReadmeFile);
  for (const char* name :
       {readme.c_str(), kDefaultBitmap, kMinuteHandFile, kHourHandFile, kSecondHandFile}) {
    const fs::path from = fs::path(share) / name, to = fs::path(folder) / name;
    std::string bytes;
    try {
      bytes = ReadRegularFile(from.string(), name, kMaxDefaultFileBytes);
    } catch (const RuntimeError& e) {
      // Nothing to fill, only cut files to look for: a clock moved away from its share folder
      // still starts quietly in a complete config folder.
      if (!filling) continue;
      return "the default skin can't be read from " + share + ": " + e.what();
    }
    const Present present = ReadPresent(to, bytes.size());
    // A file that is there but could not be read (or is longer) is the user's: no bytes, yet
    // not missing.
    if (!present.missing && !present.bytes) continue;
    try {
      switch (ChooseDefaultFileAction(present.bytes, bytes, filling)) {
        case DefaultFileAction::kCreate:
          SafeCreate(to.string(), bytes, name);  // false: someone made it meanwhile; it stays
          break;
        case DefaultFileAction::kRepair:
          SafeReplace(to.string(), bytes, name);
          break;
        case DefaultFileAction::kKeep:
          break;
      }
    } catch (const RuntimeError& e) {
      return "the default skin could not be copied into " + folder + ": " + e.what();
    }
  }
  return {};
}

WorkFolder EnterWorkFolder(const std::string& programFolder) {
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  if (!ec && HoldsAHandFile(here)) return {here.string(), false, {}};

  const fs::path folder = ConfigFolder();
  std::string problem;
  if (folder.empty()) {
    problem = "no HOME is set, so there is no config folder (it works in " + here.string() + ")";
    std::fprintf(stderr, "quarvel: %s\n", problem.c_str());
    return {here.string(), false, problem};
  }
  fs::create_directories(folder, ec);
  if (ec) {
    problem = folder.string() + " can't be made: " + ec.message();
  } else {
    const fs::path share = fs::path(programFolder).parent_path() / "share" / "quarvel";
    // Every start looks again: a fill that ran out of room is finished, its cut files mended.
    problem = FillWithDefaultSkin(folder.string(), share.string(), !HoldsEveryHandFile(folder));
  }
  if (!problem.empty()) std::fprintf(stderr, "quarvel: %s\n", problem.c_str());
  fs::current_path(folder, ec);
  if (ec) {
    if (problem.empty()) problem = "it can't work in " + folder.string() + ": " + ec.message();
    std::fprintf(stderr, "quarvel: %s\n", problem.c_str());
    return {here.string(), false, problem};
  }
  return {folder.string(), true, problem};
}

}  // namespace quarvel
