#pragma once
// Starting the clock at login on a Linux desktop: an XDG autostart entry, one per skin folder,
// in $XDG_CONFIG_HOME/autostart, that starts the clock in that folder. The entry carries a key of
// ours naming the folder, so turning it off removes only what the editor made for that folder.
#include <string>

namespace quarvel {

// The key of ours in every entry the editor makes, naming the skin folder it starts the clock in.
inline constexpr const char* kAutostartFolderKey = "X-Quarvel-Skin-Folder";

// $XDG_CONFIG_HOME/autostart (an absolute one), else $HOME/.config/autostart; empty when the
// environment names neither.
std::string AutostartFolder(const char* xdgConfigHome, const char* home);

// The entry's file name for a skin folder: io.github.quarvel.Quarvel-<16 hex digits of the
// folder's 64-bit FNV-1a hash>.desktop.
std::string AutostartFileName(const std::string& skinFolder);

// One argument of an Exec line, quoted when it holds a character the desktop would read as
// something else, every % doubled, and the whole written as a key file's string value.
std::string ExecArgument(const std::string& argument);

// The whole entry: `program` started in `skinFolder`.
std::string AutostartEntryText(const std::string& program, const std::string& skinFolder);

// Makes (on) or removes (off) the entry for skinFolder in autostartFolder (made when missing):
// empty when done, else why not. A file of that name the editor did not make for this folder
// is left as it is, and said so.
std::string SetAutostartEntry(const std::string& autostartFolder, const std::string& program,
                              const std::string& skinFolder, bool on);

}  // namespace quarvel
