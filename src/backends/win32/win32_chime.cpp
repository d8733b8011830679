// The chime on Windows: PlaySound of the sound file beside the program, in the background.
#include "backends/win32/win32_system.h"  // windows.h first: mmsystem.h needs its types

#include <mmsystem.h>

#include <string>

#include "core/clockwindow/chime_sound.h"

namespace quarvel {

// SND_NOSTOP: a chime still playing is not cut off (nor doubled); SND_NODEFAULT: a missing file
// or a system without sound plays nothing, not the system's default sound.
void Win32System::PlayChime() {
  const std::string file = ProgramFolder() + "\\" + std::string(kChimeFile);
  PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
}

}  // namespace quarvel
