#pragma once
// The options' time zone handed to the clock. The file refuses a name that can't be one as it is
// read; whether the system knows the zone is told only here, where the clock takes it.
#include "core/skin/options_file.h"
#include "platform/clock.h"

namespace quarvel {

// The clock told to show the zone `file` names. A zone it doesn't know is refused as the file's
// other bad values are (listed with the reason, the option back to its default) and the clock
// keeps the system's time.
void UseOptionsTimeZone(OptionsFile& file, Clock& clock);

}  // namespace quarvel
