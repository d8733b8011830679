#pragma once
// Keeps the editor's unsaved edits when it is ended without the author's word: by a signal
// (SIGTERM, SIGHUP, SIGINT), by the session's end (the session manager asks Qt to commit its
// data) and by the display's end (Qt ends the process with exit() when its X connection
// breaks). The edits go to the recovery copy (core/skineditor/recovery_copy.h), never over the
// skin; the next start on the skin folder offers them back.
#include <QObject>
#include <functional>

#include "apps/qvedit-qt/end_signals.h"

namespace quarvel {

class EditorWindow;

class WorkKeeper final : public QObject {
  Q_OBJECT

 public:
  // `quit` ends the event loops, the application's by default; the process then ends as after
  // a close, with code 0.
  explicit WorkKeeper(EditorWindow& editor, std::function<void()> quit = {});
  ~WorkKeeper() override;

  // What a signal does: the edits kept, nothing asked any more, the event loops ended (a
  // question open at the time among them).
  void EndKeepingWork();

 private:
  static void KeepAtExit();

  EditorWindow& editor_;
  std::function<void()> quit_;
  EndSignals signals_;
};

}  // namespace quarvel
