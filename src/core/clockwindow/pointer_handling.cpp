// The mouse buttons: the left button drags the window (unless the clock is locked), the right
// button alone hands over to the companion editor and closes the clock.
#include "core/clockwindow/clock_message.h"
#include "core/clockwindow/form1.h"

namespace quarvel {

void Form1::OnMouseDown(int16_t button, int16_t /*shift*/) {
  Guarded([&] {
    if ((button & 1) != 0 && !options_.locked) StartDrag();
    if (button == 2) OpenEditor();
  });
}

void Form1::StartDrag() {
  // The window system moves the window; the next mouse move over it records the new place.
  dragging_ = true;
  window_.BeginSystemDrag();
}

void Form1::OpenEditor() {
  // A second right-click while the first hand-over waits for the editor starts no second one.
  if (handingOver_) return;
  handingOver_ = true;
  const std::string editor = system_.ProgramFileName(kEditorProgram);
  try {
    system_.StartProgram(editor);
  } catch (const RuntimeError& e) {
    // Nothing is lost: the clock keeps running and keeps its settings until it is closed.
    const bool missing = e.number() == static_cast<int>(ErrorNumber::kFileNotFound);
    ShowClockMessage(system_,
                     "The editor \"" + editor + "\" could not be started.\n\n" + e.what() +
                         (missing ? "\n\n" + system_.MissingEditorAdvice() : std::string()));
    handingOver_ = false;
    return;
  }
  system_.DoEvents(0);
  // A slow editor may not have its window yet: give it a moment, then close either way. An
  // editor that has already ended with a failure (a code other than 0) without one will show
  // none: closing now would leave the user with neither program, so the clock says so and runs
  // on. One that ended with 0 may have handed over to another process (a launcher does): its
  // window may still come.
  for (int waited = 0; !system_.ActivateWindow(kEditorWindowTitle); waited += kEditorPollMs) {
    if (const std::optional<int> code = system_.StartedProgramExitCode(); code && *code != 0) {
      ShowClockMessage(system_, "The editor \"" + editor + "\" ended (exit code " +
                                    std::to_string(*code) +
                                    ") before its window appeared.\n\nThe clock keeps running.");
      handingOver_ = false;
      return;
    }
    if (waited >= kEditorWaitMs) break;
    system_.DoEvents(kEditorPollMs);
  }
  OnUnload();
}

}  // namespace quarvel
