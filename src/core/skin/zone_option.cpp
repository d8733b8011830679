#include "core/skin/zone_option.h"

namespace quarvel {

void UseOptionsTimeZone(OptionsFile& file, Clock& clock) {
  std::string& zone = file.options.timeZone;
  if (clock.UseTimeZone(zone)) return;
  file.refused.push_back({"time_zone", zone, "not a time zone this system knows"});
  zone.clear();
}

}  // namespace quarvel
