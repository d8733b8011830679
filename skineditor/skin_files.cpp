#include "skineditor/skin_files.h"

#include <array>
#include <optional>

#include "skin/face_picture.h"
#include "skin/settings_file.h"
#include "skineditor/hand_file.h"
#include "skineditor/skin_limits.h"
#include "skineditor/skin_settings.h"

namespace quarvel {

OpenedSkin OpenSkin(FileSlot& slot) {
  OpenedSkin opened;
  for (HandId id : kFileOrder) {
    std::string problem;
    opened.document.hand(id) = ReadHandFile(slot, HandFileName(id), problem);
    if (!problem.empty()) opened.problems.push_back(problem);
  }
  ReadSkinSettings(slot, opened.document);
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
constexpr std::size_t kFileCount = 4;

std::string NameList(const std::array<const char*, kFileCount>& names, std::size_t from,
                     std::size_t to) {
  std::string list;
  for (std::size_t i = from; i < to; ++i)
    list += (list.empty() ? "" : ", ") + std::string(names[i]);
  return list;
}

// The bytes of settings.ini now: the clock writes its place there when it hands over to us, so
// lines 1 and 2 are taken at the save, not when the skin was opened.
std::string CurrentSettings(FileSlot& slot) {
  try {
    return ReadWholeFile(slot.Resolve(kSettingsFile), kSettingsFile);
  } catch (const RuntimeError& error) {
    if (error.number() == static_cast<int>(ErrorNumber::kFileNotFound)) return {};
    throw;
  }
}
}  // namespace

SaveOutcome SaveSkin(FileSlot& slot, const SkinDocument& document, int32_t faceWidth) {
  if (std::optional<std::string> refusal = FindRefusal(document, faceWidth))
    return {false, "The clock would refuse this skin, so nothing was saved.\n\n" + *refusal};

  std::array<const char*, kFileCount> names{};
  std::array<std::string, kFileCount> texts;
  try {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
      names[i] = HandFileName(kFileOrder[i]);
      texts[i] = HandFileText(document.hand(kFileOrder[i]));
    }
    names[3] = kSettingsFile;
    texts[3] = SettingsWithSkin(CurrentSettings(slot), document);
    for (const char* name : names) slot.CheckReplaceable(name);
  } catch (const RuntimeError& error) {
    return {false, std::string(error.what()) + "\n\nNothing was saved; every file is as it was."};
  }

  for (std::size_t i = 0; i < kFileCount; ++i) {
    try {
      slot.ReplaceWithText(names[i], texts[i]);
    } catch (const RuntimeError& error) {
      std::string message = std::string(error.what()) + "\n\n";
      if (i > 0) message += "Saved: " + NameList(names, 0, i) + ".\n";
      message += "Kept as they were: " + NameList(names, i, kFileCount) + ".";
      return {false, message};
    }
  }
  return {true, {}};
}

}  // namespace quarvel
