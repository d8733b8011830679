#include "core/desktop/programs.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/infodialog/dialog_layout.h"

#include "runtime/program_search.h"

extern char** environ;

namespace quarvel {

namespace {
bool IsProgram(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}
}  // namespace

std::string RunningProgramFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

std::string FindProgram(const std::string& firstFolder, const std::string& name) {
  const char* pathVariable = std::getenv("PATH");
  const FileSystemWays posix{
      [](const std::string& folder) { return folder.starts_with("/"); }, IsProgram,
      [](const std::string& folder, const std::string& file) { return folder + "/" + file; }};
  return SearchProgram(
      firstFolder, SplitSearchPath(pathVariable != nullptr ? pathVariable : "", ':'), name, posix);
}

std::string LinuxMissingEditorAdvice(const std::string& skinFolder) {
  return "The skin editor qvedit is installed with the clock, beside quarvel; this system has "
         "none. Install it with the clock, or edit tyou.sin, tan.sin, byou.sin and settings.ini "
         "in " +
         skinFolder + " by hand (readme.txt tells how; quarvel-preview shows the result).";
}

std::string ReadmeToOpen(const std::string& workFolder, const std::string& programFolder) {
  const std::string readme(infodialog::kReadmeFile);
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::path(workFolder) / readme, ec)) return readme;
  const std::filesystem::path installed =
      std::filesystem::path(programFolder).parent_path() / "share" / "doc" / "quarvel" / readme;
  if (std::filesystem::is_regular_file(installed, ec)) return installed.string();
  return readme;
}

pid_t SpawnProgram(const std::string& path, const std::vector<std::string>& arguments,
                   const std::vector<std::string>& settings) {
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  // A setting without "=" only takes the inherited one of that name away.
  const auto nameOf = [](std::string_view entry) { return entry.substr(0, entry.find('=')); };
  std::vector<char*> envp;
  for (const std::string& setting : settings)
    if (setting.find('=') != std::string::npos) envp.push_back(const_cast<char*>(setting.c_str()));
  for (char** inherited = environ; *inherited != nullptr; ++inherited) {
    const std::string_view name = nameOf(*inherited);
    const bool replaced = std::any_of(settings.begin(), settings.end(),
                                      [&](const std::string& s) { return nameOf(s) == name; });
    if (!replaced) envp.push_back(*inherited);
  }
  envp.push_back(nullptr);
  // The clock blocks its close signals to read them from a descriptor: the child must not
  // inherit that, or it could not be ended with them.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none, closing;
  sigemptyset(&none);
  sigemptyset(&closing);
  // The editor ignores SIGPIPE, which a child must not inherit either.
  for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE}) sigaddset(&closing, signal);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &closing);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int error = posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv.data(), envp.data());
  posix_spawnattr_destroy(&attributes);
  return error == 0 ? pid : -error;
}

pid_t OpenDocument(const std::string& path) {
  const std::string program = FindProgram("", "xdg-open");
  return program.empty() ? -ENOENT : SpawnProgram(program, {path});
}

}  // namespace quarvel
