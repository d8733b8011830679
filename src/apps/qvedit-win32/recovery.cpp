// Unsaved edits kept when the session ends (WM_QUERYENDSESSION, WM_ENDSESSION) or the editor is
// closed again while it asks about them, and offered back when it opens the skin folder again.
// The copy lives in %LOCALAPPDATA%\QUARVEL\recovery; the skin's own files change only at a save.
#include <filesystem>
#include <system_error>

#include "apps/qvedit-win32/editor_window.h"
#include "apps/qvedit-win32/skin_dialogs.h"
#include "core/skineditor/recovery_offer.h"

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

void EditorWindow::OfferRecovery() {
  if (ending_) return;
  const RecoveryPrompts prompts{
      [this](const std::string& message) { ShowProblem(hwnd_, message); },
      [this](const std::string& folder) { return AskRestore(hwnd_, folder); },
      [this] { return ending_; }};
  if (!OfferKeptEdits(recovery_, Folder(), editor_, prompts)) return;
  selected_ = -1;
  notice_ = kRestoredNotice;
  ShowSkin();
}

}  // namespace quarvel
