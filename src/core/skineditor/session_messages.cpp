#include "core/skineditor/session_messages.h"

namespace quarvel::messages {

std::string Saved(const std::string& detail) {
  return "Saved." + (detail.empty() ? "" : " " + detail);
}

std::string OptionRefused(const std::string& key, const std::string& value,
                          const std::string& why) {
  return "The option " + key + " can't be \"" + value + "\": " + why + ".";
}

std::string StartAtLoginFailed(const std::string& why) {
  return "Start at login could not be set: " + why + ".";
}

std::string Status(const std::string& drawProblem, const std::string& notice, std::size_t points,
                   bool unsaved) {
  std::string status;
  if (!drawProblem.empty()) status += "The clock would stop on this skin: " + drawProblem + "\n";
  if (!notice.empty()) status += notice + "\n";
  status += std::to_string(points) + " of 51 points. ";
  status += unsaved ? "Changes not saved yet." : "No unsaved changes.";
  return status;
}

std::string FaceRefused(const std::string& problem) {
  return problem + "\n\nThe clock can't draw this file; the face stays as it was.";
}

std::string NoNewSkin(const std::string& why) {
  return "No new skin was made.\n\n" + why;
}

std::string NoCopy(const std::string& why) {
  return "No copy was saved.\n\n" + why;
}

std::string NotSaved(const std::string& why) {
  return "The skin was not saved.\n\n" + why;
}

std::string SavedButNoClock(const std::string& why) {
  return "The skin is saved, but " + why;
}

std::string FolderNotOpened(const std::string& folder, const std::string& detail) {
  return "\"" + folder + "\" can't be opened" + detail + ".";
}

std::string OpenedWithProblems(const std::string& problems) {
  return "The skin opened with problems the clock would stop on:\n\n" + problems +
         "\nEach hand starts with what could be read. Nothing on disk changes until you save.";
}

std::string LeaveQuestion(const std::string& doing) {
  return "The skin has changes that are not saved.\n\nSave them before " + doing + "?";
}

std::string RestoreQuestion(const std::string& skinFolder) {
  return "The skin in " + skinFolder +
         " has changes that were not saved when the editor was ended.\n\nRestore them? ";
}

std::string WorkKeptIn(const std::string& path) {
  return "the unsaved changes are kept in " + path;
}

std::string WorkNotKept(const std::string& why) {
  return "the unsaved changes could not be kept: " + why;
}

}  // namespace quarvel::messages
