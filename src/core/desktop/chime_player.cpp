#include "core/desktop/chime_player.h"

#include <sys/wait.h>

#include <filesystem>
#include <system_error>

#include "core/desktop/programs.h"

namespace quarvel {

const std::vector<std::string>& ChimePlayers() {
  static const std::vector<std::string> players{"pw-play", "paplay", "aplay"};
  return players;
}

std::string InstalledChimePath(const std::string& programFolder) {
  return (std::filesystem::path(programFolder).parent_path() / "share" / "quarvel" / kChimeFile)
      .string();
}

bool ChimePlayer::StillPlaying() {
  if (pid_ <= 0) return false;
  int status = 0;
  const pid_t answer = waitpid(pid_, &status, WNOHANG);
  if (answer == 0) return true;
  pid_ = 0;  // ended and reaped now, or reaped by someone else: either way not playing
  return false;
}

void ChimePlayer::Play(const std::string& programFolder) {
  if (StillPlaying()) return;
  const std::string sound = InstalledChimePath(programFolder);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(sound, ec)) return;
  for (const std::string& name : ChimePlayers()) {
    const std::string player = FindProgram("", name);
    if (player.empty()) continue;
    // aplay alone says what it plays unless told to be quiet.
    std::vector<std::string> arguments;
    if (name == "aplay") arguments.push_back("-q");
    arguments.push_back(sound);
    const pid_t pid = SpawnProgram(player, arguments);
    if (pid > 0) pid_ = pid;
    return;
  }
}

}  // namespace quarvel
