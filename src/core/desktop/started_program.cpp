#include "core/desktop/started_program.h"

#include <sys/wait.h>

#include "core/desktop/programs.h"
#include "runtime/system_errors.h"

namespace quarvel {

void StartedProgram::Start(const std::string& programFolder, const std::string& name,
                           const std::vector<std::string>& settings) {
  const std::string program = FindProgram(programFolder, name);
  if (program.empty()) throw ProgramStartError(FailureKind::kNotFound, name);
  const pid_t pid = SpawnProgram(program, {}, settings);
  if (pid < 0) throw ProgramStartError(PosixFailure(-pid), name, ErrorCodeText(-pid));
  pid_ = pid;
  exit_.reset();
}

std::optional<int> StartedProgram::ExitCode() {
  if (pid_ > 0) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      pid_ = 0;
    }
  }
  return exit_;
}

}  // namespace quarvel
