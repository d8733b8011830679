#include "apps/qvedit-qt/end_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace quarvel {

namespace {
constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};
volatile sig_atomic_t writeEnd = -1;
volatile sig_atomic_t received = 0;

// Only async-signal-safe calls: write, signal, raise.
void OnEndSignal(int signal) {
  if (received != 0) {
    ::signal(signal, SIG_DFL);
    ::raise(signal);  // delivered as the handler returns
    return;
  }
  received = signal;
  const int saved = errno;
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
  errno = saved;
}
}  // namespace

void InstallEndSignalHandlers(int writeFd) {
  writeEnd = writeFd;
  received = 0;
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kEndSignals) sigaction(signal, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
}

void RemoveEndSignalHandlers() {
  for (const int signal : kEndSignals) ::signal(signal, SIG_DFL);
  writeEnd = -1;
}

EndSignals::EndSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte = 0;
    while (::read(pipe_[0], &byte, 1) == 1) emit Ended(static_cast<unsigned char>(byte));
  });
  InstallEndSignalHandlers(pipe_[1]);
}

EndSignals::~EndSignals() {
  if (notifier_ == nullptr) return;
  RemoveEndSignalHandlers();
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

}  // namespace quarvel
