#include "apps/qvedit-qt/work_keeper.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <cstdlib>

#include "apps/qvedit-qt/editor_window.h"

namespace quarvel {

namespace {
WorkKeeper* live = nullptr;  // the keeper whose editor a process end reaches
}  // namespace

WorkKeeper::WorkKeeper(EditorWindow& editor, std::function<void()> quit)
    : editor_(editor), quit_(std::move(quit)) {
  if (!quit_) quit_ = [] { QCoreApplication::exit(0); };
  connect(&signals_, &EndSignals::Ended, this, &WorkKeeper::EndKeepingWork);
  // The session manager asks before the session ends; the session may still go on, and then so
  // does the editor, its edits kept meanwhile.
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    connect(
        app, &QGuiApplication::commitDataRequest, this,
        [this](QSessionManager&) { editor_.KeepUnsavedWork(); }, Qt::DirectConnection);
  static const bool registered = std::atexit(&WorkKeeper::KeepAtExit) == 0;
  (void)registered;
  live = this;
}

WorkKeeper::~WorkKeeper() {
  if (live == this) live = nullptr;
}

void WorkKeeper::EndKeepingWork() {
  editor_.PrepareToEnd();
  quit_();
}

// The process ends while the editor's window still stands: Qt lost its display and called
// exit(). Only the model is read here; the window system is gone.
void WorkKeeper::KeepAtExit() {
  if (live != nullptr) live->editor_.KeepUnsavedWork();
}

}  // namespace quarvel
