// Unsaved edits kept when the session ends (WM_QUERYENDSESSION, WM_ENDSESSION) or the editor is
// closed again while it asks about them, and offered back when it opens the skin folder again.
// The copy lives in %LOCALAPPDATA%\QUARVEL\recovery; the skin's own files change only at a save.
#include <filesystem>
#include <system_error>

#include "apps/qvedit-win32/editor_window.h"
#include "apps/qvedit-win32/skin_dialogs.h"

namespace quarvel {

std::string EditorWindow::Folder() const {
  std::error_code ec;
  return std::filesystem::current_path(ec).string();
}

bool EditorWindow::KeepUnsavedWork() {
  if (!editor_.HasUnsavedChanges()) return true;
  try {
    recovery_.Keep(Folder(), editor_.document());
    return true;
  } catch (const RuntimeError&) {
    return false;  // the session is ending: nobody is left to tell
  }
}

void EditorWindow::EndKeepingWork() {
  if (ending_) return;
  ApplyPenWidth();  // a width or size typed but not yet applied
  ApplySize(Text(kSizeCombo));
  ending_ = true;
  KeepUnsavedWork();
  // Every message loop ends: a message box open now returns, then the editor's own.
  PostQuitMessage(0);
}

// A copy equal to the skin on disk is nothing to restore; one that can't be read is moved
// aside, not deleted.
void EditorWindow::OfferRecovery() {
  if (ending_) return;
  const std::string folder = Folder();
  const RecoveryLookup found = recovery_.Find(folder);
  if (found.kind == RecoveryLookup::Kind::kUnreadable) {
    const std::string aside = recovery_.SetAside(folder);
    ShowProblem(
        hwnd_,
        "Unsaved changes kept for this skin can't be read: " + found.problem + "\n\n" +
            (aside.empty() ? "The file stays as it is." : "The file is kept as " + aside + "."));
    return;
  }
  if (found.kind != RecoveryLookup::Kind::kFound) return;
  if (found.document == editor_.document()) {
    recovery_.Drop(folder);
    return;
  }
  const bool restore = AskRestore(hwnd_, folder);
  if (ending_) return;  // ended while asking: the copy stays for the next start
  if (!restore) {
    recovery_.Drop(folder);
    return;
  }
  editor_.Restore(found.document);
  selected_ = -1;
  notice_ = "Restored the unsaved changes; the skin's files change when you save.";
  ShowSkin();
}

}  // namespace quarvel
