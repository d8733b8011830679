#pragma once
// The list reader behind every data file: values separated by commas or line breaks, blanks
// around a value ignored, the separator consumed with the value, and reading past the end an
// error. One reader walks one file's bytes from start to end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/runtime_error.h"

namespace quarvel {

class ListReader {
 public:
  ListReader(std::string content, std::string fileName);

  // True when not a single unread byte is left.
  bool AtEnd() const { return pos_ >= content_.size(); }

  // A signed decimal number, rounded to a whole one (ties to even) when it has a fraction. An
  // empty field reads as 0. Raises input past end of file when no bytes are left, overflow when
  // the value does not fit, type mismatch when the field is not a number; the field and the
  // rest of its line are consumed then.
  int32_t ReadInt32();
  int16_t ReadInt16();

  // The text up to the next comma or line break, without the blanks around it.
  std::string ReadText();

  const std::string& fileName() const { return fileName_; }
  // The line the last value read stood on.
  int fieldLine() const { return fieldLine_; }

 private:
  struct Field {
    std::string_view text;
    int line;
    bool endedLine = true;  // a line break or the end of the file followed it, not a comma
  };
  Field NextField();
  void SkipLineBreak();
  int64_t ParseNumber(const Field& field, int64_t min, int64_t max);
  [[noreturn]] void BadNumber(ErrorNumber number, const Field& field);
  [[noreturn]] void Fail(int number, int line) const;

  std::string content_;
  std::string fileName_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int fieldLine_ = 1;
};

}  // namespace quarvel
