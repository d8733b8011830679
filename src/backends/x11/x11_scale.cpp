// The user's scale for the clock on Linux: QUARVEL_SCALE, as written. The core checks it and
// falls back to Xft.dpi when it is not a scale it draws at.
#include <cstdlib>

#include "backends/x11/x11_system.h"

namespace quarvel {

std::string X11System::ScaleSetting() const {
  const char* setting = std::getenv("QUARVEL_SCALE");
  return setting != nullptr ? setting : "";
}

}  // namespace quarvel
