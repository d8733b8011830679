#include "core/skineditor/skin_folder.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/skin/face_picture.h"
#include "core/skin/settings_file.h"
#include "core/skineditor/default_skin.h"
#include "core/skineditor/face_import.h"
#include "core/skineditor/skin_face.h"
#include "core/skineditor/skin_files.h"
#include "core/skineditor/skin_settings.h"
#include "runtime/file_slot.h"
#include "runtime/safe_file.h"

namespace quarvel {

namespace fs = std::filesystem;

FolderOutcome SaveSkinCopy(const SkinDocument& document, const std::string& fromFolder,
                           const std::string& toFolder, int32_t faceWidth) {
  FolderOutcome outcome;
  std::error_code ec;
  if (!fs::is_directory(toFolder, ec)) {
    outcome.message = "\"" + toFolder + "\" is not a folder.";
    return outcome;
  }
  if (fs::equivalent(fromFolder, toFolder, ec)) {
    outcome.message = "That is the skin's own folder; a copy needs another one.";
    return outcome;
  }
  for (HandId id : kFileOrder) {
    const fs::path file = fs::path(toFolder) / HandFileName(id);
    if (fs::exists(file, ec) || fs::is_symlink(file, ec)) {
      outcome.message = "\"" + toFolder + "\" holds a skin already (" + HandFileName(id) +
                        "); a copy never replaces one. Pick an empty folder.";
      return outcome;
    }
  }
  outcome.written = document;
  const FileSlot from(fromFolder);
  const std::string facePath = FacePicturePath(from, document.bitmapName);
  if (!document.bitmapName.empty() && fs::exists(facePath, ec)) {
    const FaceImport face = BringFaceIntoSkin(toFolder, facePath);
    if (face.outcome == FaceImport::Outcome::kFailed) {
      outcome.message = face.message + "\n\nNothing was saved in \"" + toFolder + "\".";
      return outcome;
    }
    outcome.written.bitmapName = face.name;
    outcome.message = face.message;
  }
  FileSlot to(toFolder);
  const SaveOutcome saved = SaveSkin(to, outcome.written, faceWidth);
  if (!saved.saved) {
    outcome.message = saved.message;
    return outcome;
  }
  outcome.done = true;
  return outcome;
}

FolderOutcome NewSkinFolder(const std::string& toFolder) {
  FolderOutcome outcome;
  std::error_code ec;
  if (!fs::is_directory(toFolder, ec)) {
    outcome.message = "\"" + toFolder + "\" is not a folder.";
    return outcome;
  }
  for (const DefaultSkinFile& file : DefaultSkinFiles()) {
    const fs::path path = fs::path(toFolder) / file.name;
    if (fs::exists(path, ec) || fs::is_symlink(path, ec)) {
      outcome.message = "\"" + toFolder + "\" holds a skin already (" + file.name +
                        "); a new skin never replaces one. Pick an empty folder.";
      return outcome;
    }
  }
  std::vector<fs::path> made;
  FileSlot to(toFolder);
  try {
    for (const DefaultSkinFile& file : DefaultSkinFiles()) {
      const fs::path path = fs::path(toFolder) / file.name;
      if (!SafeCreate(path.string(), std::string(file.bytes), file.name))
        throw RuntimeError(ErrorNumber::kPathFileAccessError, file.name,
                           "made by someone else meanwhile");
      made.push_back(path);
    }
    SkinDocument settings;  // as the clock reads a skin without settings: no size fixed
    settings.bitmapName = kDefaultBitmap;
    settings.penWidth = kDefaultLineWidth;
    to.ReplaceWithText(kSettingsFile, SettingsWithSkin(CurrentSettingsText(to), settings));
  } catch (const RuntimeError& error) {
    for (const fs::path& path : made) fs::remove(path, ec);
    outcome.message = std::string(error.what()) + "\n\nNothing was left in \"" + toFolder + "\".";
    return outcome;
  }
  const OpenedSkin opened = OpenSkin(to);
  outcome.written = opened.document;
  outcome.done = true;
  return outcome;
}

std::string SkinFolderLine(const std::string& folder, bool unsaved) {
  return "Skin: " + folder + (unsaved ? " (not saved)" : "");
}

}  // namespace quarvel
