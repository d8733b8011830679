#pragma once
// Unsaved edits kept when the editor is ended without a word from the author (a signal, the
// display's or the session's end): a copy of the document in the user's state folder, never
// over the skin, which the next start on that skin folder offers to restore.
//
// A copy is one file per skin folder, named by a hash of the folder's absolute path and holding
// the path itself, so a copy is only ever offered for the folder it was made for. Its text:
//   QUARVEL skin recovery 1
//   folder <bytes>          then the folder's path, that many bytes, and a line break
//   bitmap <bytes>          then the face bitmap's name the same way
//   pen <width>
//   size <percent>
//   hand hour <colour> <points>   then a line "angle,percent" per point; minute, second alike
//   end
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/skineditor/skin_document.h"

namespace quarvel {

// No real copy comes near this: three hands of 51 points and two paths.
inline constexpr std::uint64_t kMaxRecoveryBytes = 64 * 1024;

struct RecoveryCopy {
  std::string folder;  // the skin folder the edits belong to
  SkinDocument document;
};

std::string RecoveryText(const std::string& skinFolder, const SkinDocument& document);
// The copy, or nothing and `problem` naming what is wrong: a copy that is not whole in every
// part is refused.
std::optional<RecoveryCopy> ParseRecoveryText(std::string_view text, std::string& problem);

// Where this user's copies live: $XDG_STATE_HOME/quarvel/recovery (an absolute one), else
// $HOME/.local/state/quarvel/recovery; %LOCALAPPDATA%\QUARVEL\recovery on Windows. Empty when
// the environment names no such place.
std::string PosixRecoveryFolder(const char* xdgStateHome, const char* home);
std::string WindowsRecoveryFolder(const char* localAppData);

// The copy's file name for a skin folder: 16 hex digits of the path's 64-bit FNV-1a hash.
std::string RecoveryFileName(const std::string& skinFolder);

struct RecoveryLookup {
  enum class Kind {
    kNone,        // no copy for this folder (none at all, or another folder's under its name)
    kFound,       // `document` holds the edits
    kUnreadable,  // a copy is there but can't be read whole: `problem` says why
  };
  Kind kind = Kind::kNone;
  SkinDocument document;
  std::string problem;
};

class RecoveryStore {
 public:
  // `folder` empty: nowhere to keep anything; Keep fails, Find finds nothing.
  explicit RecoveryStore(std::string folder) : folder_(std::move(folder)) {}
  // This user's, from the environment (see above).
  static RecoveryStore ForThisUser();

  const std::string& folder() const { return folder_; }
  std::string PathFor(const std::string& skinFolder) const;

  // Writes the copy with the safe save, making the folder (private to the user) first. Raises
  // the save's RuntimeError when it can't.
  void Keep(const std::string& skinFolder, const SkinDocument& document) const;
  RecoveryLookup Find(const std::string& skinFolder) const;
  // Removes this folder's copy; another folder's copy, or one that can't be read, stays.
  void Drop(const std::string& skinFolder) const;
  // Moves an unreadable copy out of the way under a free name ending in ".unreadable", so a
  // new copy never replaces it; returns that path, or empty when it could not be moved.
  std::string SetAside(const std::string& skinFolder) const;

 private:
  std::string folder_;
};

}  // namespace quarvel
