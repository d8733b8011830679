#pragma once
// The editor's end: the author's close, asked about unsaved edits, and the ends from outside (the
// Windows session's end, a close while the close question is open), where the edits go to the
// recovery copy without a word and every message loop ends.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "core/skineditor/editor_session.h"

namespace quarvel {

class WorkKeeper {
 public:
  explicit WorkKeeper(EditorSession& session) : session_(session) {}

  // WM_CLOSE, WM_QUERYENDSESSION and WM_ENDSESSION to `window`; true when it was one of them.
  bool Handle(HWND window, UINT message, WPARAM wParam);
  // "Save them before <doing>?", known to be open while it is.
  CloseChoice AskBeforeLeaving(HWND owner, const std::string& doing);

 private:
  // Ended from outside: the edits kept, nothing more asked, the message loops ended.
  void EndKeepingWork();

  EditorSession& session_;
  bool asking_ = false;  // "Save them before closing?" is open
};

}  // namespace quarvel
