#include "runtime/file_slot.h"

#include <exception>
#include <filesystem>
#include <system_error>
#include <utility>

#include "runtime/runtime_error.h"
#include "runtime/safe_file.h"

namespace quarvel {

FileSlot::FileSlot(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

std::string ReadWholeFile(const std::string& path, const std::string& displayName) {
  return ReadRegularFile(path, displayName);
}

std::string FileSlot::FolderShown() const {
  std::error_code error;
  std::filesystem::path folder = baseFolder_.empty()
                                     ? std::filesystem::current_path(error)
                                     : std::filesystem::absolute(baseFolder_, error);
  if (error) return {};
  folder = folder.lexically_normal();
  if (!folder.has_filename() && folder != folder.root_path()) folder = folder.parent_path();
  try {
    return folder.string();  // Windows: in the ANSI code page
  } catch (const std::exception&) {
    return {};  // a name that code page can't show
  }
}

std::string FileSlot::Resolve(const std::string& name) const {
  if (baseFolder_.empty() || std::filesystem::path(name).is_absolute()) return name;
  return (std::filesystem::path(baseFolder_) / name).string();  // the system's own separator
}

ListReader& FileSlot::OpenForInput(const std::string& name) {
  if (IsOpen()) throw RuntimeError(ErrorNumber::kFileAlreadyOpen, name);
  reader_ = std::make_unique<ListReader>(ReadWholeFile(Resolve(name), name), name);
  return *reader_;
}

ListReader& FileSlot::Input() {
  if (!IsOpen()) Raise(ErrorNumber::kBadFileNameOrNumber);
  return *reader_;
}

void FileSlot::Close() {
  reader_.reset();
}

void FileSlot::CheckReplaceable(const std::string& name) const {
  CheckSafeReplace(Resolve(name), name);
}

void FileSlot::ReplaceWithText(const std::string& name, const std::string& text) {
  if (IsOpen()) throw RuntimeError(ErrorNumber::kFileAlreadyOpen, name);
  SafeReplace(Resolve(name), text, name);
}

}  // namespace quarvel
