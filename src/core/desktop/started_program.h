#pragma once
// The program the clock started last (the skin editor), as every Linux backend starts it and
// asks whether it has ended.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace quarvel {

class StartedProgram {
 public:
  // Starts the program found in `programFolder` or on PATH, with `settings` ("NAME=value", or a
  // bare "NAME" to leave one out) in its environment. Raises file not found when there is none, or
  // the system's error when it can't be started.
  void Start(const std::string& programFolder, const std::string& name,
             const std::vector<std::string>& settings = {});
  // Its exit code once it has ended (128 and the signal's number for one a signal ended),
  // nothing while it runs. Asking reaps it, so a failed editor leaves no zombie behind a clock
  // that runs on.
  std::optional<int> ExitCode();

 private:
  pid_t pid_ = 0;  // until it is reaped
  std::optional<int> exit_;
};

}  // namespace quarvel
