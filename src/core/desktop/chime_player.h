#pragma once
// The hourly chime on Linux: the sound installed with the clock, played by the first small
// player the desktop has (PipeWire's, PulseAudio's, then ALSA's), one chime at a time. A desktop
// without a player, or a clock without its sound, stays silent: the chime is a nicety, never
// an error.
#include <sys/types.h>

#include <string>
#include <vector>

#include "core/clockwindow/chime_sound.h"

namespace quarvel {

// The players looked for on PATH, the first found plays.
const std::vector<std::string>& ChimePlayers();

// <prefix>/share/quarvel/chime.wav for the program in <prefix>/bin.
std::string InstalledChimePath(const std::string& programFolder);

class ChimePlayer {
 public:
  // Plays the chime installed for the program in `programFolder`, unless the one started
  // before still plays; nothing without a player or the sound.
  void Play(const std::string& programFolder);

 private:
  // Whether the player started last still runs; reaps it once it has ended, without waiting.
  bool StillPlaying();
  pid_t pid_ = 0;
};

}  // namespace quarvel
