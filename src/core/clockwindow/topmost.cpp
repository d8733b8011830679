#include "core/clockwindow/topmost.h"

namespace quarvel {

void SetTopmost(PlatformWindow& window, int16_t flag) {
  if (flag == 1) window.SetTopmostLayer(true);
  if (flag == 0) window.SetTopmostLayer(false);
}

}  // namespace quarvel
