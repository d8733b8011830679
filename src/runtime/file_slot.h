#pragma once
// The clock's single data-file slot. At most one data file is open at a time; opening a second
// while one is open is the "file already open" error. Bare names resolve against a base
// folder, which is the working directory unless a test points it elsewhere.
#include <memory>
#include <string>

#include "runtime/list_reader.h"

namespace quarvel {

// Reads a whole data file into memory, raising the numbered error for the reason it can't (file
// not found, permission denied, path/file access error); the error names the file by
// displayName. Only a regular file of at most kMaxDataFileBytes is read (runtime/safe_file.h).
std::string ReadWholeFile(const std::string& path, const std::string& displayName);

class FileSlot {
 public:
  explicit FileSlot(std::string baseFolder = {});

  // Opens a file for sequential reading and returns its reader. File not found, permission
  // denied or path/file access error when it can't be read.
  ListReader& OpenForInput(const std::string& name);
  ListReader& Input();
  void Close();
  bool IsOpen() const { return reader_ != nullptr; }

  // Replaces a file's whole content in one step with SafeReplace (runtime/safe_file.h): the text
  // goes to a new, uniquely named temporary file in the same folder, which then takes the file's
  // place. Whatever fails, the old content survives. Raises path/file access error for a
  // read-only file or anything but a regular file, permission denied, or disk full.
  void ReplaceWithText(const std::string& name, const std::string& text);
  // Raises the error ReplaceWithText would for a target it refuses before writing anything (a
  // read-only file, a folder, a FIFO or a device), so a caller replacing several files can check
  // them all first.
  void CheckReplaceable(const std::string& name) const;

  // The path a relative name stands for: bare names live in the base folder.
  std::string Resolve(const std::string& name) const;
  // The folder bare names live in, as a full path for a report: the base folder, or the
  // working directory; empty when it can't be told.
  std::string FolderShown() const;

 private:
  std::string baseFolder_;
  std::unique_ptr<ListReader> reader_;
};

}  // namespace quarvel
