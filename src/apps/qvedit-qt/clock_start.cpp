#include "apps/qvedit-qt/clock_start.h"

#include <cstdlib>
#include <cstring>

#include "core/desktop/autostart_entry.h"
#include "core/desktop/programs.h"
#include "core/skineditor/editor_names.h"

namespace quarvel {

std::string StartClockBesideEditor() {
  const std::string program = FindProgram(RunningProgramFolder(), kLinuxClockProgram);
  if (program.empty())
    return std::string("the clock \"") + kLinuxClockProgram +
           "\" is neither beside the editor nor on the search path.";
  // No folder of its own: the clock inherits ours, the skin's.
  const pid_t pid = SpawnProgram(program, {});
  if (pid < 0)
    return "\"" + program + "\" could not be started (" + std::strerror(static_cast<int>(-pid)) +
           ").";
  return {};
}

std::string StartClockAtLogin(const std::string& skinFolder, bool on) {
  const std::string autostart =
      AutostartFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  std::string program;
  if (on) {
    program = FindProgram(RunningProgramFolder(), kLinuxClockProgram);
    if (program.empty())
      return std::string("the clock \"") + kLinuxClockProgram +
             "\" is neither beside the editor nor on the search path";
  }
  return SetAutostartEntry(autostart, program, skinFolder, on);
}

}  // namespace quarvel
