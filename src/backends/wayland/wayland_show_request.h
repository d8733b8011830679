#pragma once
// How a second clock started in the same folder asks the first to show itself, where no
// Wayland client can see or raise another's window: the first listens on a socket named by its
// process id (the one the folder's lock names) in XDG_RUNTIME_DIR, the user's own; the second
// sends the caption of the window it looks for, and hears "shown" when that window showed
// itself.
#include <sys/types.h>

#include <functional>
#include <string>

namespace quarvel {

// How long the second start waits for an answer before it looks again.
inline constexpr int kShowAnswerWaitMs = 500;

// The socket of the clock with process id `processId`; empty without a runtime folder, or where
// the name would not fit a socket's address.
std::string ShowSocketPath(const char* runtimeFolder, uint32_t processId);

// True when the clock at `socketPath` answered that its window titled `caption` showed itself.
bool AskClockToShow(const std::string& socketPath, const std::string& caption,
                    int waitMs = kShowAnswerWaitMs);

class ShowRequests {
 public:
  // Listens at `socketPath` (one a crashed clock left there is replaced); nothing on failure.
  explicit ShowRequests(std::string socketPath);
  ~ShowRequests();
  ShowRequests(const ShowRequests&) = delete;
  ShowRequests& operator=(const ShowRequests&) = delete;

  int fd() const { return fd_; }
  // Answers the requests that came: `show` gets the caption asked for, and says whether it is
  // this clock's and it showed itself.
  void Answer(const std::function<bool(const std::string& caption)>& show);

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace quarvel
