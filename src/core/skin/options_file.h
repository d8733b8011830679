#pragma once
// "options.ini", beside settings.ini: the clock's options as key=value lines under a comment
// header. settings.ini keeps its four (or five) positional lines for the readers that know only
// those; this file holds everything else. Reading never fails: a missing file, one too large or
// not text, gives the defaults; a value the clock can't use keeps its default and is listed for
// the editor to say. Saving keeps every line the clock doesn't own byte for byte.
#include <string>
#include <vector>

#include "core/skin/clock_options.h"
#include "runtime/file_slot.h"

namespace quarvel {

inline constexpr const char* kOptionsFile = "options.ini";

// A line whose value was not taken: the key as written, the value, and why.
struct RefusedOption {
  std::string key;
  std::string value;
  std::string reason;
  bool operator==(const RefusedOption&) const = default;
};

struct OptionsFile {
  ClockOptions options;
  std::vector<std::string> lines;  // as found, each with its own line end (the last may lack one)
  std::vector<RefusedOption> refused;
  std::string unreadable;  // why the file there was not read (too large, not text); else empty
};

// The options from the slot's folder. Never raises a run-time error.
OptionsFile ReadOptionsFile(FileSlot& slot);

// The file's text with `options`: each known key's line given its value in place, the keys the
// file lacks appended, every other line as found. A file that had no lines starts with the
// comment header.
std::string OptionsText(const OptionsFile& found, const ClockOptions& options);

// Writes the options through the safe save, so a failure half-way leaves the old file whole.
// Raises the run-time error of the failure, naming the file.
void WriteOptionsFile(FileSlot& slot, const OptionsFile& found, const ClockOptions& options);

}  // namespace quarvel
