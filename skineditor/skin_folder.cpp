#include "skineditor/skin_folder.h"

#include <filesystem>
#include <system_error>

#include "runtime/file_slot.h"
#include "skin/face_picture.h"
#include "skineditor/face_import.h"
#include "skineditor/skin_face.h"
#include "skineditor/skin_files.h"

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

FolderOutcome NewSkinFolder(const std::string& defaultFolder, const std::string& toFolder) {
  FileSlot from(defaultFolder);
  const OpenedSkin opened = OpenSkin(from);
  if (!opened.problems.empty()) {
    FolderOutcome outcome;
    outcome.message = "The default skin in \"" + defaultFolder + "\" can't be read:\n\n" +
                      opened.problems.front();
    return outcome;
  }
  std::string problem;
  const PixelImage face = OpenFacePicture(from, opened.document.bitmapName, problem);
  SkinFace measured;
  measured.SetPicture(face);
  return SaveSkinCopy(opened.document, defaultFolder, toFolder, measured.width());
}

std::string SkinFolderLine(const std::string& folder, bool unsaved) {
  return "Skin: " + folder + (unsaved ? " (not saved)" : "");
}

}  // namespace quarvel
