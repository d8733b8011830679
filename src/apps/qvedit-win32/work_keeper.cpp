#include "apps/qvedit-win32/work_keeper.h"

#include "apps/qvedit-win32/skin_dialogs.h"
#include "core/skineditor/session_messages.h"

namespace quarvel {

bool WorkKeeper::Handle(HWND window, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_CLOSE:
      // A second close while the question is open (taskkill again, the session): no answer
      // will come, the edits are kept.
      if (asking_)
        EndKeepingWork();
      else if (!session_.ending() && session_.MayLeaveSkin(messages::kClosing))
        DestroyWindow(window);
      return true;
    case WM_QUERYENDSESSION:  // kept before the answer: the session may end without a word
      session_.KeepUnsavedWork();
      return true;
    case WM_ENDSESSION:
      if (wParam) EndKeepingWork();
      return true;
    default:
      return false;
  }
}

CloseChoice WorkKeeper::AskBeforeLeaving(HWND owner, const std::string& doing) {
  asking_ = true;
  const CloseChoice choice = quarvel::AskBeforeLeaving(owner, doing);
  asking_ = false;
  return choice;
}

void WorkKeeper::EndKeepingWork() {
  // Every message loop ends: a message box open now returns, then the editor's own.
  if (session_.EndKeepingWork()) PostQuitMessage(0);
}

}  // namespace quarvel
