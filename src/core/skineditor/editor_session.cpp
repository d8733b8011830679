// The session's skin folders: opening, saving, the clock started, new skins and copies, leaving
// with unsaved changes, and the edits kept for the next start. Editing the hands and what the
// window shows are in session_edits.cpp.
#include "core/skineditor/editor_session.h"

#include <filesystem>
#include <system_error>

#include "core/skineditor/recovery_offer.h"
#include "core/skineditor/session_messages.h"
#include "core/skineditor/skin_folder.h"
#include "runtime/runtime_error.h"

namespace quarvel {

namespace fs = std::filesystem;

EditorSession::EditorSession(EditorHost& host, Clock& clock, RecoveryStore recovery)
    : host_(host), clock_(clock), recovery_(std::move(recovery)) {}

std::string EditorSession::OpenWorkingFolder() {
  std::error_code ec;
  folder_ = fs::current_path(ec).string();
  const OpenedSkin opened = OpenSkin(slot_);
  const bool symmetric = editor_.symmetric();
  editor_ = SkinEditor(opened.document);
  onDisk_ = opened.onDisk();
  editor_.SetSymmetric(symmetric);
  selected_ = -1;
  faceBitmap_.reset();  // the face is read again
  notice_.clear();
  Show(Redraw::kSkin);
  std::string problems;
  for (const std::string& problem : opened.problems) problems += problem + "\n";
  if (!notice_.empty()) problems += notice_ + "\n";
  return problems;
}

void EditorSession::ReportOpenProblems(const std::string& problems) {
  if (!problems.empty()) host_.ShowProblem(messages::OpenedWithProblems(problems));
}

void EditorSession::OfferRecovery() {
  if (ending_) return;
  const RecoveryPrompts prompts{
      [this](const std::string& message) { host_.ShowProblem(message); },
      [this](const std::string& folder) { return host_.AskRestore(folder); },
      [this] { return ending_; }};
  if (!OfferKeptEdits(recovery_, folder_, editor_, prompts)) return;
  selected_ = -1;
  notice_ = kRestoredNotice;
  Show(Redraw::kSkin);
}

// The editor works in the skin's folder, as the clock does: its files are bare names there,
// and the clock started from here inherits it.
bool EditorSession::SwitchToFolder(const std::string& folder) {
  if (const auto problem = host_.EnterFolder(folder)) {
    host_.ShowProblem(messages::FolderNotOpened(folder, *problem));
    return false;
  }
  ReportOpenProblems(OpenWorkingFolder());
  OfferRecovery();
  return true;
}

std::optional<std::string> EditorSession::PickFolderBeside(const char* title) {
  return host_.PickFolder(title, fs::path(folder_).parent_path().string());
}

// The default skin is built into the editor, so it is the one shipped whatever was saved.
void EditorSession::NewSkin() {
  if (!MayLeaveSkin(messages::kOpeningAnother)) return;
  const auto folder = PickFolderBeside(messages::kPickNewSkinFolder);
  if (!folder) return;
  const FolderOutcome made = NewSkinFolder(*folder);
  if (!made.done) {
    host_.ShowProblem(messages::NoNewSkin(made.message));
    return;
  }
  if (SwitchToFolder(*folder)) notice_ = messages::kNewSkinMade;
  Show(Redraw::kStatus);
}

void EditorSession::OpenSkinFolder() {
  if (!MayLeaveSkin(messages::kOpeningAnother)) return;
  if (const auto folder = PickFolderBeside(messages::kPickSkinFolder)) SwitchToFolder(*folder);
}

void EditorSession::SaveCopy() {
  host_.ApplyTyped();
  const auto folder = PickFolderBeside(messages::kPickCopyFolder);
  if (!folder) return;
  const FolderOutcome copied = SaveSkinCopy(document(), folder_, *folder, face_.width());
  if (!copied.done) {
    host_.ShowProblem(messages::NoCopy(copied.message));
    return;
  }
  if (SwitchToFolder(*folder)) notice_ = messages::kEditingCopy;
  Show(Redraw::kStatus);
}

bool EditorSession::Save() {
  host_.ApplyTyped();
  const SaveOutcome outcome = SaveSkin(slot_, document(), face_.width(), onDisk_);
  if (!outcome.saved) {
    host_.ShowProblem(messages::NotSaved(outcome.message));
    return false;
  }
  editor_.MarkSaved(onDisk_.document);
  recovery_.Drop(folder_);
  std::string told = outcome.message;
  const std::string login = host_.SetStartAtLogin(document().options.startAtLogin);
  // Appended piece by piece: MinGW's gcc 12 warns (-Wrestrict) on "x" + temporary here.
  if (!login.empty()) {
    if (!told.empty()) told += ' ';
    told += messages::StartAtLoginFailed(login);
  }
  notice_ = messages::Saved(told);
  Show(Redraw::kSkin);  // a face picked elsewhere has its name in the skin folder now
  return true;
}

bool EditorSession::SaveAndStartClock() {
  if (!Save()) return false;
  const std::string problem = host_.StartClock();
  if (!problem.empty()) {
    host_.ShowProblem(messages::SavedButNoClock(problem));
    return false;
  }
  return true;
}

// A question the editor's end cut short is no answer.
bool EditorSession::MayLeaveSkin(const std::string& doing) {
  const bool may = quarvel::MayLeaveSkin(
      editor_,
      [&] {
        const CloseChoice choice = host_.AskBeforeLeaving(doing);
        return ending_ ? CloseChoice::kStay : choice;
      },
      [this] { return Save(); });
  if (may) recovery_.Drop(folder_);
  return may;
}

bool EditorSession::KeepUnsavedWork() {
  if (left_ || !editor_.HasUnsavedChanges() || folder_.empty()) return true;
  try {
    recovery_.Keep(folder_, document());
    host_.Log(messages::WorkKeptIn(recovery_.PathFor(folder_)));
    return true;
  } catch (const RuntimeError& error) {
    host_.Log(messages::WorkNotKept(error.what()));
    return false;
  }
}

bool EditorSession::EndKeepingWork() {
  if (ending_) return false;
  host_.ApplyTyped();
  ending_ = true;
  KeepUnsavedWork();
  return true;
}

}  // namespace quarvel
