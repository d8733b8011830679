// qvedit.exe, the clock's skin editor: opens the skin of its working folder in the window "qvs"
// and runs its event loop.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <ole2.h>

#include "apps/qvedit-win32/editor_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  // The folder dialog's new style needs OLE on this thread.
  OleInitialize(nullptr);
  quarvel::EditorWindow editor(instance);
  if (editor.handle() == nullptr) return 1;
  editor.Open(showCommand);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!editor.TranslateShortcut(msg) && !IsDialogMessageA(editor.handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (msg.message == WM_KEYDOWN) editor.ShowFocusedControl();  // Tab may have moved it
  }
  return 0;
}
