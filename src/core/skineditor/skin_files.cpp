#include "core/skineditor/skin_files.h"

#include <filesystem>
#include <optional>

#include "core/skin/face_picture.h"
#include "core/skin/settings_file.h"
#include "core/skineditor/face_import.h"
#include "core/skineditor/hand_file.h"
#include "core/skineditor/skin_limits.h"
#include "core/skineditor/skin_settings.h"
#include "runtime/safe_file.h"

namespace quarvel {

namespace {
constexpr int kMostBackupNames = 999;

std::size_t Index(HandId id) {
  return static_cast<std::size_t>(id);
}
}  // namespace

OpenedSkin OpenSkin(FileSlot& slot) {
  OpenedSkin opened;
  for (HandId id : kFileOrder) {
    std::string problem;
    bool missing = false;
    opened.document.hand(id) = ReadHandFile(slot, HandFileName(id), problem, &missing);
    if (problem.empty()) continue;
    opened.problems.push_back(problem);
    opened.notReadWhole[Index(id)] = !missing;
  }
  ReadSkinSettings(slot, opened.document);
  opened.options = ReadOptionsFile(slot);
  opened.document.options = opened.options.options;
  if (!opened.options.unreadable.empty())
    opened.problems.push_back(std::string(kOptionsFile) + " was not read (" +
                              opened.options.unreadable +
                              "); the options are the defaults, and a save writes them anew.");
  for (const RefusedOption& refused : opened.options.refused)
    opened.problems.push_back(std::string(kOptionsFile) + ": \"" + refused.key + "=" +
                              refused.value + "\" is not used (" + refused.reason +
                              "); the default stands.");
  return opened;
}

PixelImage OpenFacePicture(FileSlot& slot, const std::string& name, std::string& problem) {
  problem.clear();
  try {
    return LoadFacePicture(FacePicturePath(slot, name), name);
  } catch (const RuntimeError& error) {
    problem = error.what();
    return {};
  }
}

namespace {
// One file a save writes: its text, and the original to keep beside it first, if any.
struct Planned {
  const char* name;
  std::string text;
  std::optional<std::string> original;
};

std::string NameList(const std::vector<Planned>& files, std::size_t from, std::size_t to) {
  std::string list;
  for (std::size_t i = from; i < to; ++i)
    list += (list.empty() ? "" : ", ") + std::string(files[i].name);
  return list;
}

void Append(std::string& message, const std::string& sentence) {
  if (!message.empty()) message += ' ';
  message += sentence;
}

// The original beside the file: the first of "tan.sin.bak", "tan.sin.2.bak", ... that nothing
// has, made so that it never replaces anything. Its name.
std::string KeepBeside(FileSlot& slot, const char* name, const std::string& original) {
  for (int n = 1; n <= kMostBackupNames; ++n) {
    std::string backup = name;
    if (n > 1) backup += '.' + std::to_string(n);
    backup += ".bak";
    if (SafeCreate(slot.Resolve(backup), original, backup)) return backup;
  }
  throw RuntimeError(
      ErrorNumber::kPathFileAccessError, std::string(name) + ".bak",
      "no free name up to " + std::string(name) + "." + std::to_string(kMostBackupNames) + ".bak");
}

// A face picked elsewhere is named by its full path until the save brings it in.
bool PickedElsewhere(const SkinDocument& document, const SkinOnDisk& onDisk) {
  return document.bitmapName != onDisk.document.bitmapName &&
         std::filesystem::path(document.bitmapName).has_root_path();
}
}  // namespace

SaveOutcome SaveSkin(FileSlot& slot, const SkinDocument& document, int32_t faceWidth,
                     SkinOnDisk& onDisk) {
  if (std::optional<std::string> refusal = FindRefusal(document, faceWidth))
    return {false, "The clock would refuse this skin, so nothing was saved.\n\n" + *refusal};

  SkinDocument written = document;
  std::string told;
  std::vector<Planned> files;
  std::array<bool, 3> left{};  // by HandId: not read whole and not edited, so not written
  try {
    for (HandId id : kFileOrder) {
      const char* name = HandFileName(id);
      if (onDisk.notReadWhole[Index(id)] && document.hand(id) == onDisk.document.hand(id)) {
        left[Index(id)] = true;
        Append(told, std::string(name) + " could not be read whole; it is left as it was.");
        continue;
      }
      Planned file{name, HandFileText(document.hand(id)), std::nullopt};
      if (onDisk.notReadWhole[Index(id)]) {
        try {
          file.original = ReadRegularFile(slot.Resolve(name), name, kMaxKeptFileBytes);
        } catch (const RuntimeError& error) {
          if (error.number() != static_cast<int>(ErrorNumber::kFileNotFound)) throw;
        }
      }
      files.push_back(std::move(file));
    }
    if (document.options != onDisk.document.options) {
      // A file that was not read (too large, not text) is kept beside the new one.
      Planned file{kOptionsFile, OptionsText(onDisk.options, document.options), std::nullopt};
      if (!onDisk.options.unreadable.empty()) {
        try {
          file.original =
              ReadRegularFile(slot.Resolve(kOptionsFile), kOptionsFile, kMaxKeptFileBytes);
        } catch (const RuntimeError& error) {
          if (error.number() != static_cast<int>(ErrorNumber::kFileNotFound)) throw;
        }
      }
      files.push_back(std::move(file));
    }
    for (const Planned& file : files) slot.CheckReplaceable(file.name);
    slot.CheckReplaceable(kSettingsFile);
    if (PickedElsewhere(document, onDisk)) {
      const FaceImport face =
          BringFaceIntoSkin(slot.Resolve("."), FacePicturePath(slot, document.bitmapName));
      if (face.outcome == FaceImport::Outcome::kFailed)
        return {false, face.message + "\n\nNothing was saved; every file is as it was."};
      written.bitmapName = face.name;
      Append(told, face.message);
    }
    files.push_back({kSettingsFile, SettingsWithSkin(CurrentSettingsText(slot), written), {}});
    for (Planned& file : files) {
      if (!file.original) continue;
      const std::string backup = KeepBeside(slot, file.name, *file.original);
      Append(told, std::string(file.name) + " could not be read whole; the old one is kept as " +
                       backup + ".");
    }
  } catch (const RuntimeError& error) {
    return {false, std::string(error.what()) + "\n\nNothing was saved; every file is as it was."};
  }

  for (std::size_t i = 0; i < files.size(); ++i) {
    try {
      slot.ReplaceWithText(files[i].name, files[i].text);
    } catch (const RuntimeError& error) {
      std::string message = std::string(error.what()) + "\n\n";
      if (i > 0) message += "Saved: " + NameList(files, 0, i) + ".\n";
      message += "Kept as they were: " + NameList(files, i, files.size()) + ".";
      if (!told.empty()) message += "\n" + told;
      return {false, message};
    }
  }
  if (written.options != onDisk.document.options)
    onDisk.options = ReadOptionsFile(slot);  // the lines as now written, for the next save
  onDisk.document = written;
  onDisk.notReadWhole = left;
  return {true, told};
}

SaveOutcome SaveSkin(FileSlot& slot, const SkinDocument& document, int32_t faceWidth) {
  // Options that are all defaults need no file there, as with no options file.
  SkinOnDisk everything{document, {}, {}};
  everything.document.options = ClockOptions{};
  return SaveSkin(slot, document, faceWidth, everything);
}

}  // namespace quarvel
