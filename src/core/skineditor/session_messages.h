#pragma once
// What both editors tell the author, in one place: the reports of the folder flows, the notices
// under the face, and the questions their dialogs ask.
#include <string>

namespace quarvel::messages {

// --- Notices in the status line. ---
inline constexpr const char* kHandFull = "A hand has at most 51 points, as the clock reads them.";
inline constexpr const char* kWholeNumbers = "Angle and percent are whole numbers.";
inline constexpr const char* kPenRange = "The pen is 1 to 32767 pixels wide.";
inline constexpr const char* kTimeFormat = "The time is H:MM:SS, from 0:00:00 to 23:59:59.";
inline constexpr const char* kPlainFace = "\nThe face is plain, as the clock would show it.";
inline constexpr const char* kNewSkinMade = "A new skin, from the default skin.";
inline constexpr const char* kEditingCopy = "Saved a copy; you are editing the copy.";
std::string Saved(const std::string& detail);
std::string OptionRefused(const std::string& key, const std::string& value, const std::string& why);
std::string StartAtLoginFailed(const std::string& why);

// --- The status line and the folder line. ---
std::string Status(const std::string& drawProblem, const std::string& notice, std::size_t points,
                   bool unsaved);

// --- The folder dialogs' titles. ---
inline constexpr const char* kPickNewSkinFolder = "Pick an empty folder for the new skin";
inline constexpr const char* kPickSkinFolder = "Open the skin in this folder";
inline constexpr const char* kPickCopyFolder = "Save a copy of the skin into this folder";

// --- Problems, each shown in a message box. ---
std::string FaceRefused(const std::string& problem);
std::string NoNewSkin(const std::string& why);
std::string NoCopy(const std::string& why);
std::string NotSaved(const std::string& why);
std::string SavedButNoClock(const std::string& why);
// `detail` as the editor's system words it, with its leading ": " or " (".
std::string FolderNotOpened(const std::string& folder, const std::string& detail);
std::string OpenedWithProblems(const std::string& problems);

// --- What the editor was doing when it asks about unsaved changes. ---
inline constexpr const char* kClosing = "closing";
inline constexpr const char* kOpeningAnother = "opening another skin";
std::string LeaveQuestion(const std::string& doing);
// The start of the question about edits kept from last time; each editor names its buttons.
std::string RestoreQuestion(const std::string& skinFolder);

// --- Lines for a log when the editor is ended from outside. ---
std::string WorkKeptIn(const std::string& path);
std::string WorkNotKept(const std::string& why);

}  // namespace quarvel::messages
