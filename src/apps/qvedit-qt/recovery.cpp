// Unsaved edits kept when the editor is ended from outside, and offered back when it opens the
// skin folder again. The copy lives in the user's state folder; the skin's own files change only
// at a save.
#include <cstdio>

#include "apps/qvedit-qt/editor_window.h"
#include "apps/qvedit-qt/skin_panel.h"
#include "core/skineditor/recovery_offer.h"

namespace quarvel {

bool EditorWindow::KeepUnsavedWork() {
  if (left_ || !editor_.HasUnsavedChanges() || folderPath_.empty()) return true;
  try {
    recovery_.Keep(folderPath_, editor_.document());
    std::fprintf(stderr, "qvedit: the unsaved changes are kept in %s\n",
                 recovery_.PathFor(folderPath_).c_str());
    return true;
  } catch (const RuntimeError& error) {
    std::fprintf(stderr, "qvedit: the unsaved changes could not be kept: %s\n", error.what());
    return false;
  }
}

void EditorWindow::PrepareToEnd() {
  if (ending_) return;
  skin_->CommitTyped();  // a width typed but not yet applied
  ending_ = true;
  KeepUnsavedWork();
}

// Asked once the window shows, and after every other skin folder is opened.
void EditorWindow::OfferRecovery() {
  if (ending_) return;
  const RecoveryPrompts prompts{
      [this](const std::string& message) { dialogs_->ShowProblem(this, message); },
      [this](const std::string& folder) { return dialogs_->AskRestore(this, folder); },
      [this] { return ending_; }};
  if (!OfferKeptEdits(recovery_, folderPath_, editor_, prompts)) return;
  selected_ = -1;
  notice_ = kRestoredNotice;
  ShowSkin();
}

}  // namespace quarvel
