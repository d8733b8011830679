#include "runtime/runtime_error.h"

#include <utility>

namespace quarvel {

const char* ErrorText(int number) {
  switch (static_cast<ErrorNumber>(number)) {
    case ErrorNumber::kOverflow:
      return "Overflow";
    case ErrorNumber::kOutOfMemory:
      return "Out of memory";
    case ErrorNumber::kTypeMismatch:
      return "Type mismatch";
    case ErrorNumber::kSubscriptOutOfRange:
      return "Subscript out of range";
    case ErrorNumber::kBadFileNameOrNumber:
      return "Bad file name or number";
    case ErrorNumber::kFileNotFound:
      return "File not found";
    case ErrorNumber::kFileAlreadyOpen:
      return "File already open";
    case ErrorNumber::kDiskFull:
      return "Disk full";
    case ErrorNumber::kInputPastEndOfFile:
      return "Input past end of file";
    case ErrorNumber::kPermissionDenied:
      return "Permission denied";
    case ErrorNumber::kPathFileAccessError:
      return "Path/File access error";
    case ErrorNumber::kInvalidFileFormat:
      return "Invalid file format";
    case ErrorNumber::kInvalidPropertyValue:
      return "Invalid property value";
    case ErrorNumber::kInvalidPicture:
      return "Invalid picture";
  }
  return "Application-defined or object-defined error";
}

namespace {
std::string Compose(int number, const std::string& text, const std::string& file,
                    const std::string& where) {
  std::string s = "Run-time error " + std::to_string(number) + ": " + text;
  if (!file.empty() || !where.empty()) {
    s += " (";
    s += file;
    if (!file.empty() && !where.empty()) s += ", ";
    s += where;
    s += ")";
  }
  return s;
}
}  // namespace

RuntimeError::RuntimeError(ErrorNumber number, std::string file, std::string where)
    : RuntimeError(static_cast<int>(number), ErrorText(static_cast<int>(number)), std::move(file),
                   std::move(where)) {}

RuntimeError::RuntimeError(int number, std::string text, std::string file, std::string where)
    : std::runtime_error(Compose(number, text, file, where)),
      number_(number),
      text_(std::move(text)),
      file_(std::move(file)),
      where_(std::move(where)) {}

void Raise(ErrorNumber number) {
  throw RuntimeError(number);
}

}  // namespace quarvel
