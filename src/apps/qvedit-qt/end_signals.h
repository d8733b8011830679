#pragma once
// The signals that end the editor from outside (SIGTERM from the system or a kill, SIGHUP when its
// terminal or session goes, SIGINT from Ctrl+C) arrive in Qt's event loop, also inside a modal
// dialog's, so the editor can keep its unsaved edits before it ends. A second one ends the
// process at once, as it would without the editor's handler. SIGPIPE is ignored: a display that
// went away is reported by Qt, not by a signal that ends the process without a word.
#include <QObject>

class QSocketNotifier;

namespace quarvel {

// The handler alone, for a process without an event loop: the first of these signals writes its
// number as one byte to `writeFd`; any later one ends the process by that signal.
void InstallEndSignalHandlers(int writeFd);
// The signals' default actions back; a later signal ends the process.
void RemoveEndSignalHandlers();

class EndSignals final : public QObject {
  Q_OBJECT

 public:
  explicit EndSignals(QObject* parent = nullptr);
  ~EndSignals() override;

 signals:
  void Ended(int signal);

 private:
  int pipe_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace quarvel
