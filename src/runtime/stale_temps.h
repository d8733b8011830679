#pragma once
// The temporary files a save makes (runtime/safe_file) are named ".qv", ten lower-case letters
// or digits, ".tmp". A save that was killed leaves its temporary file behind; the next save in
// that folder removes such leftovers, and only them: files of exactly that name, regular files
// of the user's own, old enough that no save still running can own them.
#include <chrono>
#include <string>
#include <string_view>

namespace quarvel {

inline constexpr std::string_view kTempPrefix = ".qv";
inline constexpr std::string_view kTempSuffix = ".tmp";
inline constexpr std::size_t kTempRandomLetters = 10;
inline constexpr std::string_view kTempLetters = "abcdefghijklmnopqrstuvwxyz0123456789";

// A save takes well under a second; an hour leaves any save of another program alone.
inline constexpr std::chrono::hours kStaleTempAge{1};

// Whether a file name has the form of our temporary files.
bool IsTempName(std::string_view name);

// Removes the leftovers of killed saves from the folder: our temporary files' names, regular
// files (never a link or a folder) owned by the user, last written kStaleTempAge ago or more.
// Anything that fails is passed over: the save goes on regardless.
void RemoveStaleTemps(const std::string& folder);

}  // namespace quarvel
