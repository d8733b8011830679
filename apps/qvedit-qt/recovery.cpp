// Unsaved edits kept when the editor is ended from outside, and offered back when it opens the
// skin folder again. The copy lives in the user's state folder; the skin's own files change only
// at a save.
#include <cstdio>

#include "apps/qvedit-qt/editor_window.h"
#include "apps/qvedit-qt/skin_panel.h"

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

// Asked once the window shows, and after every other skin folder is opened. A copy equal to the
// skin on disk is nothing to restore; a copy that can't be read is moved aside, not deleted.
void EditorWindow::OfferRecovery() {
  if (ending_) return;
  const RecoveryLookup found = recovery_.Find(folderPath_);
  if (found.kind == RecoveryLookup::Kind::kUnreadable) {
    const std::string aside = recovery_.SetAside(folderPath_);
    dialogs_->ShowProblem(
        this,
        "Unsaved changes kept for this skin can't be read: " + found.problem + "\n\n" +
            (aside.empty() ? "The file stays as it is." : "The file is kept as " + aside + "."));
    return;
  }
  if (found.kind != RecoveryLookup::Kind::kFound) return;
  if (found.document == editor_.document()) {
    recovery_.Drop(folderPath_);
    return;
  }
  const bool restore = dialogs_->AskRestore(this, folderPath_);
  if (ending_) return;  // ended while asking: the copy stays for the next start
  if (!restore) {
    recovery_.Drop(folderPath_);
    return;
  }
  editor_.Restore(found.document);
  selected_ = -1;
  notice_ = "Restored the unsaved changes; the skin's files change when you save.";
  ShowSkin();
}

}  // namespace quarvel
