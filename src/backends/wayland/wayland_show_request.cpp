#include "backends/wayland/wayland_show_request.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace quarvel {

namespace {
constexpr const char* kShown = "shown\n";
constexpr std::size_t kLongestCaption = 256;

bool AddressOf(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool WaitFor(int fd, short events, int waitMs) {
  pollfd ready{fd, events, 0};
  return poll(&ready, 1, waitMs) > 0 && (ready.revents & events) != 0;
}

// One line, read within `waitMs`; empty when none came.
std::string ReadLine(int fd, int waitMs) {
  std::string line;
  char c = 0;
  while (line.size() <= kLongestCaption && WaitFor(fd, POLLIN, waitMs) && read(fd, &c, 1) == 1) {
    if (c == '\n') return line;
    line += c;
  }
  return {};
}

bool WriteAll(int fd, const std::string& text) {
  return send(fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
}
}  // namespace

std::string ShowSocketPath(const char* runtimeFolder, uint32_t processId) {
  if (runtimeFolder == nullptr || runtimeFolder[0] != '/') return {};
  std::string path = std::string(runtimeFolder) + "/quarvel-" + std::to_string(processId) + ".show";
  sockaddr_un address{};
  return AddressOf(path, address) ? path : std::string();
}

bool AskClockToShow(const std::string& socketPath, const std::string& caption, int waitMs) {
  sockaddr_un address{};
  if (!AddressOf(socketPath, address) || caption.find('\n') != std::string::npos) return false;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool shown =
      connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      WriteAll(fd, caption + "\n") && ReadLine(fd, waitMs) + "\n" == kShown;
  close(fd);
  return shown;
}

ShowRequests::ShowRequests(std::string socketPath) : path_(std::move(socketPath)) {
  sockaddr_un address{};
  if (!AddressOf(path_, address)) return;
  fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd_ < 0) return;
  unlink(path_.c_str());
  if (bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd_, 4) != 0) {
    close(fd_);
    fd_ = -1;
  }
}

ShowRequests::~ShowRequests() {
  if (fd_ < 0) return;
  close(fd_);
  unlink(path_.c_str());
}

// A caller that sends nothing is given up on soon: the clock runs on.
void ShowRequests::Answer(const std::function<bool(const std::string& caption)>& show) {
  for (int caller; fd_ >= 0 && (caller = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
    const std::string caption = ReadLine(caller, kShowAnswerWaitMs);
    if (!caption.empty() && show(caption)) WriteAll(caller, kShown);
    close(caller);
  }
}

}  // namespace quarvel
