// Fuzzes the settings reader with arbitrary bytes as "settings.ini". The reader drops every
// failing statement, so it must never let a run-time error (or anything else) out, and it must
// always leave usable settings behind: a bitmap name and a pen width other than 0.
#include <cstddef>
#include <cstdint>

#include "clockwindow/settings_file.h"
#include "runtime/file_slot.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using quarvel::fuzz::Check;
  static const quarvel::testing::TempFolder folder;
  folder.Write(quarvel::kSettingsFile, std::string(reinterpret_cast<const char*>(data), size));

  quarvel::FileSlot slot(folder.path());
  quarvel::ClockState state;
  // No try: an exception escaping here ends the run as a crash, which is what it would be.
  quarvel::ReadSettingsValues(slot, state);

  Check(!slot.IsOpen(), "the settings reader left the file slot open");
  Check(state.lineWidth != 0, "lineWidth is 0");
  const std::string& path = state.bitmapPath;
  Check(!path.empty(), "bitmapPath is empty");
  // One text value: cut at the first comma or line break, blanks around it dropped.
  Check(path.find_first_of(",\r\n") == std::string::npos, "bitmapPath holds a separator");
  Check(!IsBlank(path.front()) && !IsBlank(path.back()), "bitmapPath keeps blanks around it");
  return 0;
}
