#include "core/skin/settings_file.h"

#include "core/clockface/face_scale.h"
#include "runtime/ignore_errors.h"
#include "runtime/number_text.h"

namespace quarvel {

SavedPosition ReadSettingsValues(FileSlot& slot, ClockState& state) {
  SavedPosition saved;
  IgnoreErrors([&] { slot.OpenForInput(kSettingsFile); });
  IgnoreErrors([&] {
    saved.left = slot.Input().ReadInt32();
    saved.top = slot.Input().ReadInt32();
  });
  IgnoreErrors([&] { state.notTopmost = slot.Input().ReadInt16(); });
  state.topmost = state.notTopmost == kFalse;
  IgnoreErrors([&] { state.bitmapPath = slot.Input().ReadText(); });
  IgnoreErrors([&] { state.lineWidth = slot.Input().ReadInt16(); });
  IgnoreErrors([&] { state.sizePercent = slot.Input().ReadInt16(); });
  slot.Close();
  // Whatever else follows the pen (a note, a bitmap name cut at its comma) fixes no size.
  if (!IsSizePercent(state.sizePercent)) state.sizePercent = 0;
  if (state.bitmapPath.empty()) state.bitmapPath = kDefaultBitmap;
  // Only 0 means "no width given"; a negative width stays and is refused by the window later.
  if (state.lineWidth == 0) state.lineWidth = kDefaultLineWidth;
  return saved;
}

int16_t NotTopmostLine(const ClockState& state) {
  if ((state.notTopmost == kFalse) == state.topmost) return state.notTopmost;
  return state.topmost ? kFalse : kTrue;
}

std::string SettingsText(const ClockState& state) {
  const std::string crlf = "\r\n";
  return std::to_string(state.windowLeft) + "," + std::to_string(state.windowTop) + crlf +
         PrintedNumber(NotTopmostLine(state)) + crlf + state.bitmapPath + crlf +
         PrintedNumber(state.lineWidth) + crlf +
         (state.sizePercent != 0 ? PrintedNumber(state.sizePercent) + crlf : "");
}

void WriteSettingsFile(FileSlot& slot, const ClockState& state) {
  slot.ReplaceWithText(kSettingsFile, SettingsText(state));
}

}  // namespace quarvel
