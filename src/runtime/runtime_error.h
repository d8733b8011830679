#pragma once
// Numbered run-time errors: the one failure currency of the whole clock. Each carries the
// error number users know from the report, its text, and the file involved (when there is one).
#include <cstdint>
#include <stdexcept>
#include <string>

namespace quarvel {

enum class ErrorNumber : int {
  kOverflow = 6,
  kOutOfMemory = 7,
  kTypeMismatch = 13,
  kSubscriptOutOfRange = 9,
  kBadFileNameOrNumber = 52,
  kFileNotFound = 53,
  kFileAlreadyOpen = 55,
  kDiskFull = 61,
  kInputPastEndOfFile = 62,
  kPermissionDenied = 70,
  kPathFileAccessError = 75,
  kInvalidFileFormat = 321,
  kInvalidPropertyValue = 380,
  kInvalidPicture = 481,
};

// The standard text for an error number ("Overflow", "File not found", ...).
const char* ErrorText(int number);

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(ErrorNumber number, std::string file = {}, std::string where = {});
  RuntimeError(int number, std::string text, std::string file, std::string where);

  int number() const { return number_; }
  const std::string& text() const { return text_; }
  // The data file the error concerns; empty when it is not about a file.
  const std::string& file() const { return file_; }
  // Where in the file, such as "line 3"; empty when unknown.
  const std::string& where() const { return where_; }

 private:
  int number_;
  std::string text_;
  std::string file_;
  std::string where_;
};

[[noreturn]] void Raise(ErrorNumber number);

}  // namespace quarvel
