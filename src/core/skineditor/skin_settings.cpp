#include "core/skineditor/skin_settings.h"

#include <vector>

#include "core/clockface/face_scale.h"
#include "core/skin/settings_file.h"
#include "runtime/list_reader.h"

namespace quarvel {

void ReadSkinSettings(FileSlot& slot, SkinDocument& document) {
  ClockState state;
  ReadSettingsValues(slot, state);
  document.bitmapName = state.bitmapPath;
  document.penWidth = state.lineWidth;
  document.sizePercent = state.sizePercent;
}

std::string CurrentSettingsText(FileSlot& slot) {
  try {
    return ReadWholeFile(slot.Resolve(kSettingsFile), kSettingsFile);
  } catch (const RuntimeError& error) {
    if (error.number() == static_cast<int>(ErrorNumber::kFileNotFound)) return {};
    throw;
  }
}

namespace {
// Each line with the break it ended in; a break is CR LF, or a lone CR or LF, as the clock's
// reader takes them.
std::vector<std::string> LinesWithBreaks(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start) + "\r\n");
      break;
    }
    end += bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back(bytes.substr(start, end - start));
    start = end;
  }
  return lines;
}

// Whether the clock reads a size from this line, read with its own list reader.
bool FixesSize(const std::string& line) {
  try {
    ListReader reader(line, kSettingsFile);
    return IsSizePercent(reader.ReadInt16());
  } catch (const RuntimeError&) {
    return false;
  }
}
}  // namespace

std::string SettingsWithSkin(const std::string& found, const SkinDocument& document) {
  // The clock's own writer gives lines 3 and 4, and what it would write for lines 1 and 2
  // after reading a file without them.
  ClockState state;
  state.bitmapPath = document.bitmapName;
  state.lineWidth = document.penWidth;
  state.sizePercent = document.sizePercent;
  const std::vector<std::string> written = LinesWithBreaks(SettingsText(state));
  const std::vector<std::string> kept = LinesWithBreaks(found);
  std::string text;
  for (std::size_t i = 0; i < 2; ++i) text += i < kept.size() ? kept[i] : written[i];
  text += written[2] + written[3];
  // Line 5: the size when there is one. Without, a line there that fixes no size (a note of
  // the author's) stays, and one that fixed a size goes, or is " 0 " when later lines follow.
  if (written.size() > 4)
    text += written[4];
  else if (kept.size() > 4 && !FixesSize(kept[4]))
    text += kept[4];
  else if (kept.size() > 5)
    text += " 0 \r\n";
  for (std::size_t i = 5; i < kept.size(); ++i) text += kept[i];
  return text;
}

}  // namespace quarvel
