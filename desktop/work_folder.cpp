#include "desktop/work_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "infodialog/dialog_layout.h"
#include "skin/hand_shapes.h"
#include "skin/settings_file.h"
#include "skin/skin_folder.h"

namespace quarvel {

namespace fs = std::filesystem;

namespace {
bool HoldsAHandFile(const fs::path& folder) {
  return IsSkinFolder(folder.string());
}

// The XDG base directory rule: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
fs::path ConfigFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return fs::path(config) / "quarvel";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return {};
  return fs::path(home) / ".config" / "quarvel";
}

// The default skin, copied file by file; a file already there is the user's and stays.
void FillWithDefaultSkin(const fs::path& folder, const fs::path& share) {
  const std::string readme(infodialog::kReadmeFile);
  for (const char* name :
       {kMinuteHandFile, kHourHandFile, kSecondHandFile, kDefaultBitmap, readme.c_str()}) {
    std::error_code ec;
    fs::copy_file(share / name, folder / name, fs::copy_options::skip_existing, ec);
    if (ec)
      std::fprintf(stderr, "quarvel: could not copy %s into %s: %s\n", (share / name).c_str(),
                   folder.c_str(), ec.message().c_str());
  }
}
}  // namespace

X11WorkFolder EnterWorkFolder(const std::string& programFolder) {
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  if (!ec && HoldsAHandFile(here)) return {here.string(), false};

  const fs::path folder = ConfigFolder();
  if (folder.empty()) {
    std::fprintf(stderr, "quarvel: no HOME, so no config folder; working in %s\n", here.c_str());
    return {here.string(), false};
  }
  fs::create_directories(folder, ec);
  if (!HoldsAHandFile(folder))
    FillWithDefaultSkin(folder, fs::path(programFolder).parent_path() / "share" / "quarvel");
  fs::current_path(folder, ec);
  if (ec) {
    std::fprintf(stderr, "quarvel: can't work in %s: %s\n", folder.c_str(), ec.message().c_str());
    return {here.string(), false};
  }
  return {folder.string(), true};
}

}  // namespace quarvel
