#include "core/desktop/autostart_entry.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "runtime/runtime_error.h"
#include "runtime/safe_file.h"

namespace quarvel {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxEntryBytes = 64 * 1024;

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 1099511628211ull;
  }
  return hash;
}

// A key file's string value: a backslash, and the line breaks and tabs that would end or blur
// the line, as escapes.
std::string StringValue(const std::string& text) {
  std::string value;
  for (const char c : text) {
    switch (c) {
      case '\\':
        value += "\\\\";
        break;
      case '\n':
        value += "\\n";
        break;
      case '\r':
        value += "\\r";
        break;
      case '\t':
        value += "\\t";
        break;
      default:
        value += c;
    }
  }
  return value;
}

std::string OwnLine(const std::string& skinFolder) {
  return std::string(kAutostartFolderKey) + "=" + StringValue(skinFolder);
}

enum class Found { kNothing, kOurs, kNotOurs };

Found WhatIsThere(const std::string& path, const std::string& skinFolder) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(path, ec))) return Found::kNothing;
  std::string text;
  try {
    text = ReadRegularFile(path, path, kMaxEntryBytes);
  } catch (const RuntimeError&) {
    return Found::kNotOurs;
  }
  const std::string own = OwnLine(skinFolder);
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    if (std::string_view(text).substr(at, end - at) == own) return Found::kOurs;
    at = end + 1;
  }
  return Found::kNotOurs;
}

std::string Why(const RuntimeError& error) {
  return error.text() + (error.file().empty() ? "" : ": " + error.file());
}

}  // namespace

std::string AutostartFolder(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/')
    return std::string(xdgConfigHome) + "/autostart";
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/autostart";
  return {};
}

std::string AutostartFileName(const std::string& skinFolder) {
  char name[64];
  std::snprintf(name, sizeof name, "io.github.quarvel.Quarvel-%016llx.desktop",
                static_cast<unsigned long long>(Fnv1a(skinFolder)));
  return name;
}

std::string ExecArgument(const std::string& argument) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  bool quote = argument.empty();
  std::string quoted;
  for (const char c : argument) {
    if (kReserved.find(c) != std::string_view::npos) quote = true;
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  if (quote) quoted = '"' + quoted + '"';
  std::string doubled;
  for (const char c : quoted) doubled += c == '%' ? "%%" : std::string(1, c);
  return StringValue(doubled);
}

std::string AutostartEntryText(const std::string& program, const std::string& skinFolder) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=QUARVEL\n"
         "Comment=The round clock in the skin of " +
         StringValue(skinFolder) +
         "\n"
         "Exec=" +
         ExecArgument(program) +
         "\n"
         "Path=" +
         StringValue(skinFolder) +
         "\n"
         "Terminal=false\n" +
         OwnLine(skinFolder) + "\n";
}

std::string SetAutostartEntry(const std::string& autostartFolder, const std::string& program,
                              const std::string& skinFolder, bool on) {
  if (autostartFolder.empty())
    return "no folder for the autostart entry: neither XDG_CONFIG_HOME nor HOME is set";
  const std::string path = autostartFolder + "/" + AutostartFileName(skinFolder);
  const Found found = WhatIsThere(path, skinFolder);
  if (found == Found::kNotOurs)
    return "\"" + path +
           "\" was not made by this editor for this skin folder; it was left as it is";
  try {
    if (on) {
      std::error_code ec;
      fs::create_directories(autostartFolder, ec);
      if (ec) return "\"" + autostartFolder + "\" could not be made (" + ec.message() + ")";
      SafeReplace(path, AutostartEntryText(program, skinFolder), path);
    } else if (found == Found::kOurs) {
      std::error_code ec;
      if (!fs::remove(path, ec) && ec)
        return "\"" + path + "\" could not be removed (" + ec.message() + ")";
    }
  } catch (const RuntimeError& error) {
    return Why(error);
  }
  return {};
}

}  // namespace quarvel
