// Fuzzes the settings reader with arbitrary bytes as "settings.ini". It drops every failing
// statement, so nothing may escape it (an exception here is a crash), and it always leaves
// usable settings: a pen width other than 0 and one bitmap name, cut at a separator and
// without blanks around it.
#include <cstddef>
#include <cstdint>

#include "core/skin/settings_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using quarvel::fuzz::Check;
  static const quarvel::testing::TempFolder folder;
  folder.Write(quarvel::kSettingsFile, std::string(reinterpret_cast<const char*>(data), size));
  quarvel::FileSlot slot(folder.path());
  quarvel::ClockState state;
  quarvel::ReadSettingsValues(slot, state);
  Check(!slot.IsOpen(), "the settings reader left the file slot open");
  Check(state.lineWidth != 0, "lineWidth is 0");
  const std::string& path = state.bitmapPath;
  Check(!path.empty() && path.find_first_of(",\r\n") == std::string::npos,
        "bitmapPath is empty or holds a separator");
  Check(path.find_first_not_of(" \t") == 0 && path.find_last_not_of(" \t") == path.size() - 1,
        "bitmapPath keeps blanks around it");
  return 0;
}
